#include "testfile/profile_file.h"

#include <cstring>
#include <deque>
#include <optional>
#include <unordered_map>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "testfile/profile_replace.h"
#include "testfile/profile_syntax.h"
#include "text/case_fold.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/int_conv.h"

namespace quizloom {
namespace {

using profile::LineKind;

struct Line {
    std::string_view text;  // without its line end
    std::string_view eol;   // as in the file: CR LF, LF, CR or nothing at the end
    std::string_view key;   // entries: as spelled
    std::string_view value; // entries: as reading returns it
    bool entry = false;
    bool removed = false;
};

// A section is indexed only when first used, so a save that touches two
// sections of a large file does not pay for parsing all of them.
struct Section {
    std::size_t begin = 0; // its bytes in the file as read: [begin, end)
    std::size_t end = 0;
    bool appended = false;
    bool indexed = false;
    bool modified = false;
    std::vector<Line> lines; // once indexed; lines[0] opens the section
    std::unordered_map<std::string, std::size_t> keys; // folded key -> first live entry
    std::size_t lastEntry = 0; // last live entry line, 0 when none
};

enum class ReadState { Missing, Read, Unreadable };

ReadState readWholeFile(const std::string& path, std::string& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadState::Missing : ReadState::Unreadable;
    struct stat info {};
    ReadState state = ReadState::Read;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        state = ReadState::Unreadable;
    } else {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t filled = 0;
        for (;;) {
            if (filled == bytes.size())
                bytes.resize(bytes.size() + 4096); // the file may have grown
            const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0) {
                state = ReadState::Unreadable;
                break;
            }
            if (got == 0)
                break;
            filled += static_cast<std::size_t>(got);
        }
        bytes.resize(state == ReadState::Read ? filled : 0);
    }
    ::close(fd);
    return state;
}

bool hasForbiddenByte(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// The name as it is stored in the file, and its folded form for lookups.
struct Name {
    std::string bytes;
    std::string folded;
};

Name makeName(std::string_view utf8)
{
    Name name;
    name.bytes = std::string(profile::trimBlanks(utf8ToCp1251(utf8)));
    name.folded = cp1251ToLower(name.bytes);
    return name;
}

} // namespace

struct ProfileFile::Impl {
    std::string path;
    std::string text; // the file as read; never changed, lines point into it
    ReadState readState = ReadState::Missing;
    std::size_t preambleEnd = 0; // bytes before the first section
    std::vector<Section> sections;
    std::unordered_map<std::string, std::size_t> firstSection; // folded name -> index
    std::deque<std::string> ownedLines; // text of lines written; stable addresses
    std::string target;
    bool writeChecked = false;
    bool dirty = false;

    explicit Impl(std::string p) : path(std::move(p))
    {
        readState = readWholeFile(path, text);
        findSections();
    }

    void findSections();
    void addSection(std::size_t lineStart, std::string_view name);
    Section& indexed(std::size_t index);
    const Line* findEntry(std::string_view sectionUtf8, std::string_view keyUtf8);
    void ensureWritable();
    std::string_view own(std::string line);
    void replaceEntry(Section& section, std::size_t at, std::string_view value);
    void insertEntry(Section& section, const Name& key, std::string_view value);
    void appendSection(const Name& name, const Name& key, std::string_view value);
    void removeEntry(Section& section, std::size_t at, const std::string& foldedKey);
    std::vector<std::string_view> render(std::deque<std::string>& scratch) const;
};

void ProfileFile::Impl::findSections()
{
    // A '[' opens a section only when nothing but blanks precede it on its
    // line; memchr over the whole file is far cheaper than splitting lines.
    const std::string_view all = text;
    preambleEnd = all.size();
    for (std::size_t pos = 0; pos < all.size(); ++pos) {
        const void* hit = std::memchr(all.data() + pos, '[', all.size() - pos);
        if (!hit)
            break;
        pos = static_cast<std::size_t>(static_cast<const char*>(hit) - all.data());
        std::size_t lineStart = pos;
        while (lineStart > 0 && profile::isBlank(all[lineStart - 1]))
            --lineStart;
        if (lineStart > 0 && !profile::isLineBreak(all[lineStart - 1]))
            continue;
        const std::size_t lineEnd = profile::findLineBreak(all, pos);
        addSection(lineStart, profile::sectionNameAt(all.substr(lineStart, lineEnd - lineStart),
                                                     pos - lineStart));
        pos = lineEnd == all.size() ? lineEnd : lineEnd - 1;
    }
    if (!sections.empty())
        preambleEnd = sections.front().begin;
}

void ProfileFile::Impl::addSection(std::size_t lineStart, std::string_view name)
{
    if (!sections.empty())
        sections.back().end = lineStart;
    Section section;
    section.begin = lineStart;
    section.end = text.size();
    sections.push_back(std::move(section));
    // The first section of a name wins; later ones stay in the file untouched.
    firstSection.try_emplace(cp1251ToLower(name), sections.size() - 1);
}

Section& ProfileFile::Impl::indexed(std::size_t index)
{
    Section& section = sections[index];
    if (section.indexed)
        return section;
    section.indexed = true;
    const std::string_view all = text;
    for (std::size_t pos = section.begin; pos < section.end;) {
        const std::size_t contentEnd = profile::findLineBreak(all, pos);
        const std::size_t lineEnd = contentEnd + profile::lineBreakLength(all, contentEnd);
        Line line;
        line.text = all.substr(pos, contentEnd - pos);
        line.eol = all.substr(contentEnd, lineEnd - contentEnd);
        const profile::LineSyntax syntax = profile::classifyLine(line.text);
        if (syntax.kind == LineKind::Entry && !section.lines.empty()) {
            line.entry = true;
            line.key = syntax.name;
            line.value = syntax.value;
            section.keys.try_emplace(cp1251ToLower(syntax.name), section.lines.size());
            section.lastEntry = section.lines.size();
        }
        section.lines.push_back(line);
        pos = lineEnd;
    }
    return section;
}

const Line* ProfileFile::Impl::findEntry(std::string_view sectionUtf8, std::string_view keyUtf8)
{
    const auto found = firstSection.find(makeName(sectionUtf8).folded);
    if (found == firstSection.end())
        return nullptr;
    Section& section = indexed(found->second);
    const auto entry = section.keys.find(makeName(keyUtf8).folded);
    return entry == section.keys.end() ? nullptr : &section.lines[entry->second];
}

void ProfileFile::Impl::ensureWritable()
{
    if (writeChecked)
        return;
    // A file that exists but could not be read must not be replaced by the
    // few entries written into its empty copy.
    target = profile::replaceTarget(path);
    if (readState == ReadState::Unreadable || !profile::canReplace(target))
        throw Error(formatMessage("Unable to write to %s", path));
    writeChecked = true;
}

std::string_view ProfileFile::Impl::own(std::string line)
{
    return ownedLines.emplace_back(std::move(line));
}

void ProfileFile::Impl::replaceEntry(Section& section, std::size_t at, std::string_view value)
{
    Line& line = section.lines[at];
    std::size_t valueOffset = 0;
    std::string newText = profile::makeEntryLine(line.key, value, valueOffset);
    if (newText == line.text)
        return;
    const std::string_view owned = own(std::move(newText));
    line.text = owned;
    line.key = owned.substr(0, line.key.size());
    line.value = owned.substr(valueOffset, value.size());
    section.modified = true;
    dirty = true;
}

void ProfileFile::Impl::insertEntry(Section& section, const Name& key, std::string_view value)
{
    // Right after the last entry, so comments and blank lines that close the
    // section stay in front of the next one.
    Line& previous = section.lines[section.lastEntry];
    if (previous.eol.empty())
        previous.eol = profile::kNewLineEnd;
    std::size_t valueOffset = 0;
    const std::string_view owned = own(profile::makeEntryLine(key.bytes, value, valueOffset));
    Line line;
    line.text = owned;
    line.eol = profile::kNewLineEnd;
    line.key = owned.substr(0, key.bytes.size());
    line.value = owned.substr(valueOffset, value.size());
    line.entry = true;
    // Every live entry lies at or before lastEntry, so the shift below moves
    // no line that the key index refers to.
    const std::size_t at = section.lastEntry + 1;
    section.lines.insert(section.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    section.keys.emplace(key.folded, at);
    section.lastEntry = at;
    section.modified = true;
    dirty = true;
}

void ProfileFile::Impl::appendSection(const Name& name, const Name& key, std::string_view value)
{
    Section section;
    section.appended = true;
    section.indexed = true;
    section.modified = true;
    Line header;
    header.text = own("[" + name.bytes + "]");
    header.eol = profile::kNewLineEnd;
    section.lines.push_back(header);
    sections.push_back(std::move(section));
    firstSection.emplace(name.folded, sections.size() - 1);
    insertEntry(sections.back(), key, value);
}

void ProfileFile::Impl::removeEntry(Section& section, std::size_t at, const std::string& foldedKey)
{
    section.lines[at].removed = true;
    section.modified = true;
    dirty = true;
    // A later entry of the same name in this section now becomes the one read.
    section.keys.erase(foldedKey);
    for (std::size_t i = at + 1; i < section.lines.size(); ++i) {
        const Line& line = section.lines[i];
        if (line.entry && !line.removed && cp1251ToLower(line.key) == foldedKey) {
            section.keys.emplace(foldedKey, i);
            break;
        }
    }
    if (at == section.lastEntry) {
        std::size_t last = at;
        while (last > 0 && !(section.lines[last].entry && !section.lines[last].removed))
            --last;
        section.lastEntry = last;
    }
}

std::vector<std::string_view> ProfileFile::Impl::render(std::deque<std::string>& scratch) const
{
    // Unchanged sections go out as the file's own bytes, adjacent ones in a
    // single piece; only changed sections are put together line by line.
    std::vector<std::string_view> chunks;
    const std::string_view all = text;
    std::size_t pendingBegin = 0;
    std::size_t pendingEnd = preambleEnd;
    auto flushPending = [&] {
        if (pendingEnd > pendingBegin)
            chunks.push_back(all.substr(pendingBegin, pendingEnd - pendingBegin));
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
        for (const Line& line : section.lines) {
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

void ProfileFile::writeString(std::string_view section, std::string_view key, std::string_view value)
{
    const Name sectionName = makeName(section);
    const Name keyName = makeName(key);
    const std::string bytes = utf8ToCp1251(value);
    if (hasForbiddenByte(section) || hasForbiddenByte(key) || hasForbiddenByte(value))
        throw Error("A line break or NUL cannot be stored in a profile file");
    if (!profile::isStorableSectionName(sectionName.bytes))
        throw Error(formatMessage("'%s' cannot be a section name", section));
    if (!profile::isStorableKey(keyName.bytes))
        throw Error(formatMessage("'%s' cannot be a key name", key));
    impl_->ensureWritable();
    const auto found = impl_->firstSection.find(sectionName.folded);
    if (found == impl_->firstSection.end()) {
        impl_->appendSection(sectionName, keyName, bytes);
        return;
    }
    Section& target = impl_->indexed(found->second);
    if (const auto entry = target.keys.find(keyName.folded); entry != target.keys.end())
        impl_->replaceEntry(target, entry->second, bytes);
    else
        impl_->insertEntry(target, keyName, bytes);
}

bool ProfileFile::readFlag(std::string_view section, std::string_view key, bool defaultValue) const
{
    const Line* line = impl_->findEntry(section, key);
    if (!line)
        return defaultValue;
    const std::optional<std::int32_t> number = tryStrToInt(line->value);
    return number ? *number != 0 : defaultValue;
}

void ProfileFile::writeFlag(std::string_view section, std::string_view key, bool value)
{
    writeString(section, key, value ? "1" : "0");
}

void ProfileFile::removeKey(std::string_view section, std::string_view key)
{
    const auto found = impl_->firstSection.find(makeName(section).folded);
    if (found == impl_->firstSection.end())
        return;
    Section& target = impl_->indexed(found->second);
    const Name keyName = makeName(key);
    const auto entry = target.keys.find(keyName.folded);
    if (entry == target.keys.end())
        return;
    impl_->ensureWritable();
    impl_->removeEntry(target, entry->second, keyName.folded);
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
