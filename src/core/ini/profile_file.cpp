#include "core/ini/profile_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <optional>
#include <vector>

#include "core/ini/profile_load.h"
#include "core/ini/profile_replace.h"
#include "core/ini/profile_syntax.h"
#include "core/text/case_fold.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"
#include "core/text/int_conv.h"

namespace quizloom {
namespace {

using profile::LoadedFile;
using profile::Name;

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// The index: the first section of each name and, in it, the first entry of
// each key. Section lines are found as far into the file as a lookup needs
// (the whole file only for a name it lacks), and a section's entries are
// indexed when the section is first looked up, so that a save, which
// touches two sections of thousands, does not pay for the rest. Blank
// lines, comments and repeated keys take no memory; lines are laid out one
// by one only for a section that is written.
struct Entry {
    std::string_view key;   // as spelled
    std::string_view value; // as reading returns it
    std::uint32_t hash = 0; // of the folded key
    std::uint32_t section = 0;
    std::uint32_t line = kNone; // in its section's lines, once they are laid out
    bool live = true;           // false after a removal that uncovered no repeat
};

// A line of a written section.
struct Line {
    std::string_view text;  // without its line end
    std::string_view eol;   // as in the file: CR LF, LF, CR or nothing at the end
    std::string_view key;   // entries: as spelled
    std::string_view value; // entries: as reading returns it
    bool entry = false;
    bool removed = false;
};

// A section's entries are found by a short linear search over its own run
// of the entry vector, which the pass fills section by section; a section
// with many keys, or one that is written, goes into the hash table instead.
constexpr std::uint32_t kLinearLimit = 16;

struct Section {
    std::string_view name; // trimmed, as spelled
    std::uint32_t hash = 0;
    std::size_t begin = 0; // its bytes in the file as read: [begin, end)
    std::size_t body = 0;  // where the line after its header starts
    std::size_t end = 0;
    std::uint32_t firstEntry = 0; // its run in the entry vector while not tabled
    std::uint32_t entryCount = 0;
    bool tabled = false;
    bool indexed = false;                     // its entries are in the entry vector or the table
    std::unique_ptr<std::vector<Line>> lines; // laid out at the first write
    std::size_t lastEntry = 0;                // last live entry line, 0 when none
    bool appended = false;
    bool modified = false;
};

std::size_t mixed(std::uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdull;
    x ^= x >> 33;
    return static_cast<std::size_t>(x);
}

// Open addressing over indexes into a vector: one array of 32-bit slots,
// nothing allocated per name. Nothing is ever taken out; an entry that
// goes away stays in its slot as not live.
class IndexTable {
public:
    // The slot holding an index that `matches`, or the empty slot (0) where
    // one with this hash goes. Slots hold index + 1.
    template <typename Matches> std::uint32_t& slot(std::size_t hash, Matches matches) {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            std::uint32_t& s = slots_[i];
            if (s == 0 || matches(s - 1))
                return s;
        }
    }
    template <typename Matches> std::uint32_t find(std::size_t hash, Matches matches) const {
        const std::uint32_t s = const_cast<IndexTable*>(this)->slot(hash, matches);
        return s == 0 ? kNone : s - 1;
    }
    // Fills an empty slot found by slot(); hashOf(index) gives the hash of
    // any index held, for growing.
    template <typename HashOf> void fill(std::uint32_t& slot, std::uint32_t index, HashOf hashOf) {
        slot = index + 1;
        if (++used_ * 2 > slots_.size())
            grow(hashOf);
    }

private:
    template <typename HashOf> void grow(HashOf hashOf) {
        std::vector<std::uint32_t> old(slots_.size() * 2, 0);
        old.swap(slots_);
        const std::size_t mask = slots_.size() - 1;
        for (const std::uint32_t s : old) {
            if (s == 0)
                continue;
            std::size_t i = hashOf(s - 1) & mask;
            while (slots_[i] != 0)
                i = (i + 1) & mask;
            slots_[i] = s;
        }
    }

    std::vector<std::uint32_t> slots_ = std::vector<std::uint32_t>(16, 0);
    std::size_t used_ = 0;
};

std::size_t sectionSlotHash(std::uint32_t nameHash) {
    return mixed(nameHash);
}

std::size_t entrySlotHash(std::uint32_t section, std::uint32_t keyHash) {
    return mixed((static_cast<std::uint64_t>(section) << 32) | keyHash);
}

// Names in a file are mostly spelt as the program asks for them, so an
// exact comparison settles most lookups before the byte-by-byte fold.
bool sameName(std::string_view bytes, const Name& name) {
    return bytes == name.bytes() || profile::equalsFolded(bytes, name.folded());
}

// A plain loop: find_first_of looks each byte up in the set with a call of
// its own, and every key written passes here.
bool hasLineBreak(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; });
}

} // namespace

struct ProfileFile::Impl {
    std::string path;
    LoadedFile loaded;
    std::string_view text;       // the file as read; sections and entries point into it
    std::size_t preambleEnd = 0; // bytes before the first section
    std::size_t scanned = 0;     // section lines are known up to here
    bool scanDone = false;
    std::vector<Section> sections;
    std::vector<Entry> entries;
    IndexTable sectionTable;         // first section of each name
    IndexTable entryTable;           // first entry of each key in those sections
    std::uint32_t lastFound = kNone; // the section the last lookup found
    std::deque<std::string> owned;   // texts written; deque keeps their addresses
    std::string target;
    bool writeChecked = false;
    bool dirty = false;

    Impl(std::string p, const Name* upToEndOf)
        : path(std::move(p)), loaded(profile::loadFile(path, upToEndOf)), text(loaded.bytes()) {
        scanNextSection(); // the preamble's end is needed from the start
    }

    std::uint32_t scanNextSection();
    std::uint32_t openSection(std::size_t lineStart, std::size_t body, std::string_view name);
    void indexEntries(std::uint32_t section);
    void addEntry(std::uint32_t section, std::string_view key, std::string_view value);
    std::uint32_t findSection(const Name& name);
    void fillEntrySlot(std::uint32_t& slot, std::uint32_t index);
    void tableSection(std::uint32_t section);
    std::uint32_t& entrySlot(std::uint32_t section, std::string_view foldedKey, std::uint32_t hash);
    const Entry* find(const Name& section, const Name& key);
    void ensureWritable();
    std::string_view own(std::string line);
    std::vector<Line>& layOut(std::uint32_t section);
    void write(const Name& section, const Name& key, std::string_view value);
    void replaceEntry(Entry& entry, std::string_view value);
    std::size_t insertLine(Section& section, std::string_view key, std::string_view value);
    std::uint32_t appendSection(std::string_view name);
    bool remove(const Name& section, const Name& key);
    std::vector<std::string_view> render(std::deque<std::string>& scratch) const;
};

// Finds the next section line and opens its section; returns what
// openSection() does, or kNone at the end of the file. A section line is one
// whose first non-blank byte is '[': each '[' is checked for only blanks
// between it and the line start, and the rest of its line is skipped, so
// the search runs at the speed of memchr.
std::uint32_t ProfileFile::Impl::scanNextSection() {
    if (scanDone)
        return kNone;
    const char* data = text.data();
    const std::size_t size = text.size();
    for (std::size_t pos = scanned; pos < size;) {
        const void* found = std::memchr(data + pos, '[', size - pos);
        if (!found)
            break;
        const auto open = static_cast<std::size_t>(static_cast<const char*>(found) - data);
        std::size_t lineStart = open;
        while (lineStart > pos && profile::isBlank(data[lineStart - 1]))
            --lineStart;
        const std::size_t contentEnd = profile::findLineBreak(text, open);
        pos = contentEnd;
        if (lineStart == 0 || profile::isLineBreak(data[lineStart - 1])) {
            if (sections.empty())
                preambleEnd = lineStart;
            else
                sections.back().end = lineStart;
            scanned = pos;
            const std::string_view line = text.substr(lineStart, contentEnd - lineStart);
            return openSection(lineStart, contentEnd + profile::lineBreakLength(text, contentEnd),
                               profile::sectionNameAt(line, open - lineStart));
        }
    }
    scanned = size;
    scanDone = true;
    if (sections.empty())
        preambleEnd = size;
    else
        sections.back().end = size;
    return kNone;
}

void ProfileFile::Impl::indexEntries(std::uint32_t s) {
    if (sections[s].indexed)
        return;
    sections[s].indexed = true;
    const char* data = text.data();
    const std::size_t end = sections[s].end;
    for (std::size_t pos = sections[s].body; pos < end;) {
        const std::size_t contentEnd = profile::findLineBreak(text, pos);
        std::size_t start = pos;
        while (start < contentEnd && profile::isBlank(data[start]))
            ++start;
        // No line of the body opens a section: that line would have ended it.
        if (start < contentEnd && data[start] != ';') {
            if (const void* equals = std::memchr(data + start, '=', contentEnd - start)) {
                const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(equals) - data);
                addEntry(s, profile::trimBlanks(text.substr(start, at - start)),
                         profile::valueAsRead(text.substr(at + 1, contentEnd - at - 1)));
            }
        }
        pos = contentEnd + profile::lineBreakLength(text, contentEnd);
    }
}

// Every section is kept for writing the file back; only the first of a
// name is found by lookups, so the entries of a repeat are not indexed.
std::uint32_t ProfileFile::Impl::openSection(std::size_t lineStart, std::size_t body, std::string_view name) {
    const std::uint32_t hash = profile::foldedHash(name);
    const auto index = static_cast<std::uint32_t>(sections.size());
    Section section;
    section.name = name;
    section.hash = hash;
    section.begin = lineStart;
    section.body = body;
    section.end = text.size();
    sections.push_back(std::move(section));
    std::uint32_t& slot = sectionTable.slot(sectionSlotHash(hash), [&](std::uint32_t i) {
        return sections[i].hash == hash && cp1251EqualNoCase(sections[i].name, name);
    });
    if (slot != 0)
        return kNone;
    sectionTable.fill(slot, index, [&](std::uint32_t i) { return sectionSlotHash(sections[i].hash); });
    return index;
}

void ProfileFile::Impl::addEntry(std::uint32_t s, std::string_view key, std::string_view value) {
    const std::uint32_t hash = profile::foldedHash(key);
    Section& section = sections[s];
    const auto matches = [&](std::uint32_t i) {
        const Entry& e = entries[i];
        return e.section == s && e.hash == hash && cp1251EqualNoCase(e.key, key);
    };
    const auto index = static_cast<std::uint32_t>(entries.size());
    if (!section.tabled) {
        for (std::uint32_t i = section.firstEntry; i < section.firstEntry + section.entryCount; ++i) {
            if (matches(i))
                return; // the first of a key wins
        }
        if (section.entryCount == 0)
            section.firstEntry = index;
        entries.push_back({key, value, hash, s, kNone, true});
        if (++section.entryCount > kLinearLimit)
            tableSection(s);
        return;
    }
    std::uint32_t& slot = entryTable.slot(entrySlotHash(s, hash), matches);
    if (slot != 0)
        return;
    entries.push_back({key, value, hash, s, kNone, true});
    fillEntrySlot(slot, index);
}

void ProfileFile::Impl::fillEntrySlot(std::uint32_t& slot, std::uint32_t index) {
    entryTable.fill(slot, index,
                    [&](std::uint32_t i) { return entrySlotHash(entries[i].section, entries[i].hash); });
}

void ProfileFile::Impl::tableSection(std::uint32_t s) {
    indexEntries(s);
    Section& section = sections[s];
    if (section.tabled)
        return;
    section.tabled = true;
    for (std::uint32_t i = section.firstEntry; i < section.firstEntry + section.entryCount; ++i) {
        std::uint32_t& slot =
            entryTable.slot(entrySlotHash(s, entries[i].hash), [](std::uint32_t) { return false; });
        fillEntrySlot(slot, i);
    }
}

std::uint32_t ProfileFile::Impl::findSection(const Name& name) {
    const auto matches = [&](std::uint32_t i) {
        return sections[i].hash == name.hash() && sameName(sections[i].name, name);
    };
    // The keys of one section are asked for one after another; sections are
    // never removed, so the first of a name found once stays the first.
    if (lastFound != kNone && matches(lastFound))
        return lastFound;
    std::uint32_t s = sectionTable.find(sectionSlotHash(name.hash()), matches);
    while (s == kNone && !scanDone) {
        const std::uint32_t opened = scanNextSection();
        if (opened != kNone && matches(opened))
            s = opened;
    }
    // A section's end is known once the line after it is found; until then
    // it runs to the end of the file.
    if (s != kNone && s + 1 == sections.size())
        scanNextSection();
    lastFound = s;
    return s;
}

std::uint32_t& ProfileFile::Impl::entrySlot(std::uint32_t section, std::string_view foldedKey,
                                            std::uint32_t hash) {
    return entryTable.slot(entrySlotHash(section, hash), [&](std::uint32_t i) {
        const Entry& e = entries[i];
        return e.section == section && e.hash == hash && profile::equalsFolded(e.key, foldedKey);
    });
}

const Entry* ProfileFile::Impl::find(const Name& sectionName, const Name& key) {
    const std::uint32_t s = findSection(sectionName);
    if (s == kNone)
        return nullptr;
    indexEntries(s);
    const Section& section = sections[s];
    if (!section.tabled) {
        const Entry* begin = entries.data() + section.firstEntry;
        for (const Entry* e = begin; e != begin + section.entryCount; ++e) {
            if (e->hash == key.hash() && sameName(e->key, key))
                return e;
        }
        return nullptr;
    }
    const std::uint32_t slot = entrySlot(s, key.folded(), key.hash());
    if (slot == 0 || !entries[slot - 1].live)
        return nullptr;
    return &entries[slot - 1];
}

void ProfileFile::Impl::ensureWritable() {
    if (writeChecked)
        return;
    // A file that exists but could not be read (or was read only in part)
    // must not be replaced by the few entries written into its copy.
    target = profile::replaceTarget(path);
    if (loaded.state == LoadedFile::State::Unreadable || loaded.partial)
        throw WriteError(formatMessage("Unable to write to %s", path),
                         loaded.error != 0 ? loaded.error : EIO);
    if (!profile::canReplace(target))
        throw WriteError(formatMessage("Unable to write to %s", path), errno);
    writeChecked = true;
}

std::string_view ProfileFile::Impl::own(std::string line) {
    return owned.emplace_back(std::move(line));
}

std::vector<Line>& ProfileFile::Impl::layOut(std::uint32_t s) {
    Section& section = sections[s];
    if (section.lines)
        return *section.lines;
    tableSection(s);
    section.lines = std::make_unique<std::vector<Line>>();
    std::vector<Line>& lines = *section.lines;
    for (std::size_t pos = section.begin; pos < section.end;) {
        const std::size_t contentEnd = profile::findLineBreak(text, pos);
        const std::size_t lineEnd = contentEnd + profile::lineBreakLength(text, contentEnd);
        Line line;
        line.text = text.substr(pos, contentEnd - pos);
        line.eol = text.substr(contentEnd, lineEnd - contentEnd);
        const profile::LineSyntax syntax = profile::classifyLine(line.text);
        if (syntax.kind == profile::LineKind::Entry && !lines.empty()) {
            line.entry = true;
            line.key = syntax.name;
            line.value = syntax.value;
            section.lastEntry = lines.size();
            // The indexed entry of this key learns where its line is.
            const std::uint32_t slot = entrySlot(s, cp1251ToLower(line.key), profile::foldedHash(line.key));
            if (slot != 0 && entries[slot - 1].key.data() == line.key.data())
                entries[slot - 1].line = static_cast<std::uint32_t>(lines.size());
        }
        lines.push_back(line);
        pos = lineEnd;
    }
    return lines;
}

void ProfileFile::Impl::replaceEntry(Entry& entry, std::string_view value) {
    Line& line = (*sections[entry.section].lines)[entry.line];
    std::size_t valueOffset = 0;
    std::string newText = profile::makeEntryLine(line.key, value, valueOffset);
    if (newText == line.text)
        return;
    const std::string_view stored = own(std::move(newText));
    line.text = stored;
    line.value = entry.value = stored.substr(valueOffset, value.size());
    // The key keeps pointing at the old spelling, which stays alive.
    sections[entry.section].modified = true;
    dirty = true;
}

std::size_t ProfileFile::Impl::insertLine(Section& section, std::string_view key, std::string_view value) {
    std::vector<Line>& lines = *section.lines;
    // Right after the last entry, so comments and blank lines that close the
    // section stay in front of the next one.
    Line& previous = lines[section.lastEntry];
    if (previous.eol.empty())
        previous.eol = profile::kNewLineEnd;
    std::size_t valueOffset = 0;
    const std::string_view stored = own(profile::makeEntryLine(key, value, valueOffset));
    Line line;
    line.text = stored;
    line.eol = profile::kNewLineEnd;
    line.key = stored.substr(0, key.size());
    line.value = stored.substr(valueOffset, value.size());
    line.entry = true;
    // Every live entry lies at or before lastEntry, so the shift below moves
    // no line that an entry refers to.
    const std::size_t at = section.lastEntry + 1;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    section.lastEntry = at;
    section.modified = true;
    dirty = true;
    return at;
}

std::uint32_t ProfileFile::Impl::appendSection(std::string_view name) {
    std::string headerText(1, '[');
    headerText.append(name).append(1, ']');
    const std::string_view header = own(std::move(headerText));
    const std::uint32_t s = openSection(text.size(), text.size(), header.substr(1, name.size()));
    Section& section = sections[s];
    section.indexed = true;
    section.appended = true;
    section.modified = true;
    section.tabled = true;
    section.lines = std::make_unique<std::vector<Line>>();
    section.lines->push_back({header, profile::kNewLineEnd, {}, {}, false, false});
    dirty = true;
    return s;
}

void ProfileFile::Impl::write(const Name& sectionName, const Name& keyName, std::string_view value) {
    ensureWritable();
    std::uint32_t s = findSection(sectionName);
    if (s == kNone)
        s = appendSection(sectionName.bytes());
    layOut(s);
    std::uint32_t& slot = entrySlot(s, keyName.folded(), keyName.hash());
    if (slot != 0 && entries[slot - 1].live) {
        replaceEntry(entries[slot - 1], value);
        return;
    }
    Section& section = sections[s];
    const std::size_t at = insertLine(section, keyName.bytes(), value);
    const Line& line = (*section.lines)[at];
    const Entry entry{line.key, line.value, keyName.hash(), s, static_cast<std::uint32_t>(at), true};
    if (slot != 0) {
        entries[slot - 1] = entry; // a key removed earlier comes back
        return;
    }
    entries.push_back(entry);
    fillEntrySlot(slot, static_cast<std::uint32_t>(entries.size() - 1));
}

bool ProfileFile::Impl::remove(const Name& sectionName, const Name& keyName) {
    const std::uint32_t s = findSection(sectionName);
    if (s == kNone)
        return false;
    tableSection(s);
    const std::uint32_t slot = entrySlot(s, keyName.folded(), keyName.hash());
    if (slot == 0 || !entries[slot - 1].live)
        return false;
    ensureWritable();
    std::vector<Line>& lines = layOut(s);
    Section& section = sections[s];
    Entry& entry = entries[slot - 1];
    const std::size_t at = entry.line;
    lines[at].removed = true;
    section.modified = true;
    dirty = true;
    // A later entry of the same name in this section now becomes the one read.
    entry.live = false;
    for (std::size_t i = at + 1; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.entry && !line.removed && profile::equalsFolded(line.key, keyName.folded())) {
            entry = {line.key, line.value, entry.hash, s, static_cast<std::uint32_t>(i), true};
            break;
        }
    }
    if (at == section.lastEntry) {
        std::size_t last = at;
        while (last > 0 && !(lines[last].entry && !lines[last].removed))
            --last;
        section.lastEntry = last;
    }
    return true;
}

std::vector<std::string_view> ProfileFile::Impl::render(std::deque<std::string>& scratch) const {
    // Unchanged sections go out as the file's own bytes, adjacent ones in a
    // single piece; only changed sections are put together line by line.
    std::vector<std::string_view> chunks;
    std::size_t pendingBegin = 0;
    std::size_t pendingEnd = preambleEnd;
    auto flushPending = [&] {
        if (pendingEnd > pendingBegin)
            chunks.push_back(text.substr(pendingBegin, pendingEnd - pendingBegin));
        pendingBegin = pendingEnd;
    };
    auto endsWithBreak = [&] {
        for (auto chunk = chunks.rbegin(); chunk != chunks.rend(); ++chunk) {
            if (!chunk->empty())
                return profile::isLineBreak(chunk->back());
        }
        return true;
    };
    for (const Section& section : sections) {
        if (!section.modified) {
            pendingEnd = section.end;
            continue;
        }
        flushPending();
        std::string& out = scratch.emplace_back();
        // A file without a final line break gets one before a new section.
        if (section.appended && !endsWithBreak())
            out += profile::kNewLineEnd;
        for (const Line& line : *section.lines) {
            if (!line.removed) {
                out.append(line.text);
                out.append(line.eol);
            }
        }
        chunks.push_back(out);
        if (!section.appended)
            pendingBegin = pendingEnd = section.end;
    }
    flushPending();
    return chunks;
}

ProfileFile::ProfileFile(std::string path) : impl_(std::make_unique<Impl>(std::move(path), nullptr)) {}

ProfileFile::ProfileFile(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

ProfileFile::ProfileFile(ProfileFile&&) noexcept = default;

ProfileFile ProfileFile::openUpToEndOf(std::string path, const profile::Name& section) {
    return ProfileFile(std::make_unique<Impl>(std::move(path), &section));
}

ProfileFile::~ProfileFile() {
    try {
        if (impl_)
            release();
    } catch (...) {
        // Callers that care call release() themselves and see the error.
    }
}

const std::string& ProfileFile::path() const {
    return impl_->path;
}

ProfileFile::State ProfileFile::state() const {
    switch (impl_->loaded.state) {
    case LoadedFile::State::Missing:
        return State::Missing;
    case LoadedFile::State::Read:
        return State::Read;
    case LoadedFile::State::NotRegular:
        return State::NotRegular;
    case LoadedFile::State::Unreadable:
        break;
    }
    return State::Unreadable;
}

int ProfileFile::readError() const {
    return impl_->loaded.state == LoadedFile::State::Unreadable ? impl_->loaded.error : 0;
}

std::optional<std::string_view> ProfileFile::findBytes(const Name& section, const Name& key) const {
    const Entry* entry = impl_->find(section, key);
    if (!entry)
        return std::nullopt;
    return entry->value;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    const Entry* entry = impl_->find(Name(section), Name(key));
    return entry ? cp1251ToUtf8(entry->value) : std::string(defaultValue);
}

std::optional<std::string> ProfileFile::findString(std::string_view section, std::string_view key) const {
    const Entry* entry = impl_->find(Name(section), Name(key));
    if (!entry)
        return std::nullopt;
    return cp1251ToUtf8(entry->value);
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    // A NUL is a byte like any other here: the line rules know only CR and LF.
    if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value))
        throw Error("A line break cannot be stored in a profile file");
    const Name sectionName(section);
    const Name keyName(key);
    if (!profile::isStorableSectionName(sectionName.bytes()))
        throw Error(formatMessage("'%s' cannot be a section name", section));
    if (!profile::isStorableKey(keyName.bytes()))
        throw Error(formatMessage("'%s' cannot be a key name", key));
    impl_->write(sectionName, keyName, utf8ToCp1251(value));
}

bool ProfileFile::readFlag(std::string_view section, std::string_view key, bool defaultValue) const {
    const Entry* entry = impl_->find(Name(section), Name(key));
    if (!entry)
        return defaultValue;
    // The general conversion also takes "$", "x" and "X" as hexadecimal
    // prefixes; a flag does not.
    const std::string_view text = profile::trimBlanks(entry->value);
    if (text.find_first_of("$xX") == 0)
        return defaultValue;
    const std::optional<std::int32_t> number = tryStrToInt(text);
    return number ? *number != 0 : defaultValue;
}

void ProfileFile::writeFlag(std::string_view section, std::string_view key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

bool ProfileFile::removeKey(std::string_view section, std::string_view key) {
    return impl_->remove(Name(section), Name(key));
}

void ProfileFile::release() {
    releaseBy(profile::replaceFile);
}

void ProfileFile::releaseAsNew() {
    releaseBy(profile::createFile);
}

void ProfileFile::releaseBy(bool (*write)(const std::string&, std::span<const std::string_view>)) {
    if (!impl_->dirty)
        return;
    // One attempt per set of changes: after a failure the destructor must
    // not try again behind the caller's back.
    impl_->dirty = false;
    std::deque<std::string> scratch;
    const std::vector<std::string_view> chunks = impl_->render(scratch);
    if (!write(impl_->target, chunks))
        throw WriteError(formatMessage("Unable to write to %s", impl_->path), errno);
}

} // namespace quizloom
