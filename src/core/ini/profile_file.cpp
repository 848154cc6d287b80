#include "core/ini/profile_file.h"

#include <cstring>
#include <deque>
#include <memory_resource>
#include <optional>
#include <unordered_map>
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

using profile::LineKind;
using profile::LoadedFile;

// Section and key names compare without regard to letter case; the maps
// hold the names as spelled in the file and fold while hashing.
struct FoldedHash {
    std::size_t operator()(std::string_view name) const
    {
        std::size_t hash = 14695981039346656037ull;
        for (const char c : name)
            hash = (hash ^ cp1251ToLower(static_cast<unsigned char>(c))) * 1099511628211ull;
        return hash;
    }
};

struct FoldedEqual {
    bool operator()(std::string_view a, std::string_view b) const { return cp1251EqualNoCase(a, b); }
};

template <typename Value>
using NameMap = std::pmr::unordered_map<std::string_view, Value, FoldedHash, FoldedEqual>;

struct Line {
    std::string_view text;  // without its line end
    std::string_view eol;   // as in the file: CR LF, LF, CR or nothing at the end
    std::string_view key;   // entries: as spelled
    std::string_view value; // entries: as reading returns it
    bool entry = false;
    bool removed = false;
};

struct SectionIndex {
    explicit SectionIndex(std::pmr::memory_resource* arena) : lines(arena), keys(arena) {}
    std::pmr::vector<Line> lines; // lines[0] opens the section
    NameMap<std::size_t> keys;    // first live entry of each key
    std::size_t lastEntry = 0;    // last live entry line, 0 when none
};

// A section is indexed only when first used, so that a save touching two
// sections of a large file does not pay for parsing all the others.
struct Section {
    std::size_t begin = 0; // its bytes in the file as read: [begin, end)
    std::size_t end = 0;
    std::unique_ptr<SectionIndex> index;
    bool appended = false;
    bool modified = false;
};

bool hasForbiddenByte(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// A name as the file spells it: in the code page, outer blanks dropped as
// reading drops them.
std::string storedName(std::string_view utf8)
{
    return std::string(profile::trimBlanks(utf8ToCp1251(utf8)));
}

} // namespace

struct ProfileFile::Impl {
    // The thousands of small nodes of the name maps come from one arena that
    // goes away with the object, instead of one heap block each.
    std::pmr::monotonic_buffer_resource arena;
    std::string path;
    LoadedFile loaded;
    std::string_view text; // the file as read; lines and names point into it
    std::size_t preambleEnd = 0; // bytes before the first section
    std::vector<Section> sections;
    NameMap<std::size_t> firstSection{&arena};
    std::deque<std::string> owned; // texts written; deque keeps their addresses
    std::vector<Line> scratchLines;
    std::string target;
    bool writeChecked = false;
    bool dirty = false;

    explicit Impl(std::string p) : path(std::move(p)), loaded(profile::loadFile(path)), text(loaded.bytes())
    {
        findSections();
    }

    void findSections();
    SectionIndex& indexed(Section& section);
    Section* findSection(std::string_view name);
    const Line* findEntry(std::string_view sectionUtf8, std::string_view keyUtf8);
    void ensureWritable();
    std::string_view own(std::string line);
    void replaceEntry(Section& section, std::size_t at, std::string_view value);
    void insertEntry(Section& section, std::string_view key, std::string_view value);
    void appendSection(std::string_view name, std::string_view key, std::string_view value);
    void removeEntry(Section& section, std::size_t at);
    std::vector<std::string_view> render(std::deque<std::string>& scratch) const;
};

void ProfileFile::Impl::findSections()
{
    // A '[' opens a section only when nothing but blanks precede it on its
    // line; memchr over the whole file is far cheaper than splitting lines.
    std::vector<std::string_view> names;
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const void* hit = std::memchr(text.data() + pos, '[', text.size() - pos);
        if (!hit)
            break;
        pos = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
        std::size_t lineStart = pos;
        while (lineStart > 0 && profile::isBlank(text[lineStart - 1]))
            --lineStart;
        if (lineStart > 0 && !profile::isLineBreak(text[lineStart - 1]))
            continue;
        const std::size_t lineEnd = profile::findLineBreak(text, pos);
        names.push_back(profile::sectionNameAt(text.substr(lineStart, lineEnd - lineStart), pos - lineStart));
        if (!sections.empty())
            sections.back().end = lineStart;
        sections.push_back({lineStart, text.size(), nullptr, false, false});
        pos = lineEnd == text.size() ? lineEnd : lineEnd - 1;
    }
    preambleEnd = sections.empty() ? text.size() : sections.front().begin;
    firstSection.reserve(names.size());
    // The first section of a name wins; later ones stay in the file untouched.
    for (std::size_t i = 0; i < names.size(); ++i)
        firstSection.try_emplace(names[i], i);
}

SectionIndex& ProfileFile::Impl::indexed(Section& section)
{
    if (section.index)
        return *section.index;
    // The lines are gathered in a reused buffer first, so that the arena
    // gets each section's vector and key map at their final size.
    scratchLines.clear();
    std::size_t entries = 0;
    for (std::size_t pos = section.begin; pos < section.end;) {
        const std::size_t contentEnd = profile::findLineBreak(text, pos);
        const std::size_t lineEnd = contentEnd + profile::lineBreakLength(text, contentEnd);
        Line line;
        line.text = text.substr(pos, contentEnd - pos);
        line.eol = text.substr(contentEnd, lineEnd - contentEnd);
        const profile::LineSyntax syntax = profile::classifyLine(line.text);
        if (syntax.kind == LineKind::Entry && !scratchLines.empty()) {
            line.entry = true;
            line.key = syntax.name;
            line.value = syntax.value;
            ++entries;
        }
        scratchLines.push_back(line);
        pos = lineEnd;
    }
    section.index = std::make_unique<SectionIndex>(&arena);
    SectionIndex& index = *section.index;
    index.lines.assign(scratchLines.begin(), scratchLines.end());
    index.keys.reserve(entries);
    for (std::size_t i = 0; i < index.lines.size(); ++i) {
        if (index.lines[i].entry) {
            index.keys.try_emplace(index.lines[i].key, i);
            index.lastEntry = i;
        }
    }
    return index;
}

Section* ProfileFile::Impl::findSection(std::string_view name)
{
    const auto found = firstSection.find(name);
    return found == firstSection.end() ? nullptr : &sections[found->second];
}

const Line* ProfileFile::Impl::findEntry(std::string_view sectionUtf8, std::string_view keyUtf8)
{
    Section* section = findSection(storedName(sectionUtf8));
    if (!section)
        return nullptr;
    SectionIndex& index = indexed(*section);
    const auto entry = index.keys.find(storedName(keyUtf8));
    return entry == index.keys.end() ? nullptr : &index.lines[entry->second];
}

void ProfileFile::Impl::ensureWritable()
{
    if (writeChecked)
        return;
    // A file that exists but could not be read must not be replaced by the
    // few entries written into its empty copy.
    target = profile::replaceTarget(path);
    if (loaded.state == LoadedFile::State::Unreadable || !profile::canReplace(target))
        throw Error(formatMessage("Unable to write to %s", path));
    writeChecked = true;
}

std::string_view ProfileFile::Impl::own(std::string line)
{
    return owned.emplace_back(std::move(line));
}

void ProfileFile::Impl::replaceEntry(Section& section, std::size_t at, std::string_view value)
{
    Line& line = section.index->lines[at];
    std::size_t valueOffset = 0;
    std::string newText = profile::makeEntryLine(line.key, value, valueOffset);
    if (newText == line.text)
        return;
    const std::string_view stored = own(std::move(newText));
    line.text = stored;
    line.value = stored.substr(valueOffset, value.size());
    // line.key keeps pointing at the old spelling, which stays alive and is
    // the same bytes; the key map refers to it as well.
    section.modified = true;
    dirty = true;
}

void ProfileFile::Impl::insertEntry(Section& section, std::string_view key, std::string_view value)
{
    SectionIndex& index = *section.index;
    // Right after the last entry, so comments and blank lines that close the
    // section stay in front of the next one.
    Line& previous = index.lines[index.lastEntry];
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
    // no line that the key map refers to.
    const std::size_t at = index.lastEntry + 1;
    index.lines.insert(index.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    index.keys.emplace(line.key, at);
    index.lastEntry = at;
    section.modified = true;
    dirty = true;
}

void ProfileFile::Impl::appendSection(std::string_view name, std::string_view key, std::string_view value)
{
    Section& section = sections.emplace_back();
    section.appended = true;
    section.modified = true;
    section.index = std::make_unique<SectionIndex>(&arena);
    std::string headerText(1, '[');
    headerText.append(name).append(1, ']');
    const std::string_view header = own(std::move(headerText));
    section.index->lines.push_back({header, profile::kNewLineEnd, {}, {}, false, false});
    firstSection.emplace(header.substr(1, name.size()), sections.size() - 1);
    insertEntry(section, key, value);
}

void ProfileFile::Impl::removeEntry(Section& section, std::size_t at)
{
    SectionIndex& index = *section.index;
    const std::string_view key = index.lines[at].key;
    index.lines[at].removed = true;
    section.modified = true;
    dirty = true;
    // A later entry of the same name in this section now becomes the one read.
    index.keys.erase(key);
    for (std::size_t i = at + 1; i < index.lines.size(); ++i) {
        const Line& line = index.lines[i];
        if (line.entry && !line.removed && cp1251EqualNoCase(line.key, key)) {
            index.keys.emplace(line.key, i);
            break;
        }
    }
    if (at == index.lastEntry) {
        std::size_t last = at;
        while (last > 0 && !(index.lines[last].entry && !index.lines[last].removed))
            --last;
        index.lastEntry = last;
    }
}

std::vector<std::string_view> ProfileFile::Impl::render(std::deque<std::string>& scratch) const
{
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
        for (const Line& line : section.index->lines) {
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

ProfileFile::ProfileFile(std::string path) : impl_(std::make_unique<Impl>(std::move(path))) {}

ProfileFile::~ProfileFile()
{
    try {
        release();
    } catch (...) {
        // Callers that care call release() themselves and see the error.
    }
}

const std::string& ProfileFile::path() const
{
    return impl_->path;
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const
{
    const Line* line = impl_->findEntry(section, key);
    return line ? cp1251ToUtf8(line->value) : std::string(defaultValue);
}

std::optional<std::string> ProfileFile::findString(std::string_view section, std::string_view key) const
{
    const Line* line = impl_->findEntry(section, key);
    if (!line)
        return std::nullopt;
    return cp1251ToUtf8(line->value);
}

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    if (hasForbiddenByte(section) || hasForbiddenByte(key) || hasForbiddenByte(value))
        throw Error("A line break or NUL cannot be stored in a profile file");
    const std::string sectionName = storedName(section);
    const std::string keyName = storedName(key);
    if (!profile::isStorableSectionName(sectionName))
        throw Error(formatMessage("'%s' cannot be a section name", section));
    if (!profile::isStorableKey(keyName))
        throw Error(formatMessage("'%s' cannot be a key name", key));
    impl_->ensureWritable();
    const std::string bytes = utf8ToCp1251(value);
    Section* target = impl_->findSection(sectionName);
    if (!target) {
        impl_->appendSection(sectionName, keyName, bytes);
        return;
    }
    SectionIndex& index = impl_->indexed(*target);
    if (const auto entry = index.keys.find(keyName); entry != index.keys.end())
        impl_->replaceEntry(*target, entry->second, bytes);
    else
        impl_->insertEntry(*target, keyName, bytes);
}

bool ProfileFile::readFlag(std::string_view section, std::string_view key, bool defaultValue) const
{
    const Line* line = impl_->findEntry(section, key);
    if (!line)
        return defaultValue;
    // The general conversion also takes "$", "x" and "X" as hexadecimal
    // prefixes; a flag does not.
    const std::string_view text = profile::trimBlanks(line->value);
    if (text.find_first_of("$xX") == 0)
        return defaultValue;
    const std::optional<std::int32_t> number = tryStrToInt(text);
    return number ? *number != 0 : defaultValue;
}

void ProfileFile::writeFlag(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

bool ProfileFile::removeKey(std::string_view section, std::string_view key)
{
    Section* target = impl_->findSection(storedName(section));
    if (!target)
        return false;
    SectionIndex& index = impl_->indexed(*target);
    const auto entry = index.keys.find(storedName(key));
    if (entry == index.keys.end())
        return false;
    impl_->ensureWritable();
    impl_->removeEntry(*target, entry->second);
    return true;
}

void ProfileFile::release()
{
    if (!impl_->dirty)
        return;
    // One attempt per set of changes: after a failure the destructor must
    // not try again behind the caller's back.
    impl_->dirty = false;
    std::deque<std::string> scratch;
    const std::vector<std::string_view> chunks = impl_->render(scratch);
    if (!profile::replaceFile(impl_->target, chunks))
        throw Error(formatMessage("Unable to write to %s", impl_->path));
}

} // namespace quizloom
