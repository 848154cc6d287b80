#pragma once
// The encodings a Moodle XML document may come in. The platform writes
// UTF-8; a document saved again by an editor may be UTF-16, or declare
// another encoding in its XML declaration.
#include <string>
#include <string_view>

namespace quizloom::exchange {

// The document as UTF-8, in which the XML parser's offsets are counted and
// so lines can be told: UTF-16 (with a byte-order mark, or starting with
// "<" in either byte order) is converted into storage, without its mark;
// any other document is returned as it is. Throws Error naming the line
// for UTF-16 that is broken, and line 1 for a declared encoding the reader
// does not decode (only UTF-8, UTF-16, US-ASCII and ISO-8859-1 are).
std::string_view xmlAsUtf8(std::string_view document, std::string& storage);

// The encoding the XML declaration names, as written; empty without one.
std::string_view declaredXmlEncoding(std::string_view document);

} // namespace quizloom::exchange
