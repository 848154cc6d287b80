#include "core/exchange/quiz_import.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <optional>
#include <set>

#include "core/exchange/format_rules.h"
#include "core/exchange/markup_text.h"
#include "core/exchange/source_model.h"
#include "core/ini/profile_file.h"
#include "core/quiz/new_quiz_file.h"
#include "core/quiz/quiz_format.h"
#include "core/quiz/quiz_name.h"
#include "core/text/cp1251.h"
#include "core/text/error.h"

namespace quizloom::exchange {

namespace {

namespace qz = quizloom::quiz;

// Import makes no test the structure check would refuse for its counts.
constexpr int kMaxVariants = qz::kCheckMaxVariants;
constexpr int kMaxPerVariant = qz::kCheckMaxQuestions;
constexpr int kMaxQuestions = kMaxVariants * kMaxPerVariant;
static_assert(kMaxQuestions == kMaxSourceQuestions);
// Two weights are the same when they differ by less than the platform's
// own tolerance for its weight list (33.33333 three times is 100).
constexpr double kSameWeight = 0.001;

struct Candidate {
    const SourceQuestion* source = nullptr;
    qz::QuestionRecord record;
    std::optional<int> variant; // from a category "Вариант N"
    std::string testName;       // the top category outside "Вариант N"
    bool markupReduced = false;
};

class Importer {
public:
    Importer(const ParsedSource& source, Format format, std::string_view inputFileName) : source_(source) {
        result_.format = format;
        result_.suggestedName = std::filesystem::path(std::string(inputFileName)).stem().string();
    }

    ImportResult run() {
        for (const SourceError& error : source_.malformed)
            result_.malformed.push_back({lineSpan(error.firstLine, error.lastLine), error.what});
        for (const SourceRefusal& refusal : source_.refused)
            refuse(refusal.line, refusal.name, refusal.reason);
        for (const SourceQuestion& question : source_.questions)
            consider(question);
        const SourceHeader* header = carriedHeader();
        keepOneLevel(header ? carriedLevel(*header) : std::nullopt);
        nameTheQuiz();
        if (header)
            applyHeader(*header);
        if (std::any_of(candidates_.begin(), candidates_.end(), [](const Candidate& c) { return c.variant; }))
            placeByVariant();
        else
            placeInOrder();
        finish();
        return std::move(result_);
    }

private:
    void refuse(int line, std::string_view name, std::string reason) {
        refusals_.push_back({line, {sourceLabel(line, name), std::move(reason)}});
    }
    void refuse(const SourceQuestion& question, std::string reason) {
        refuse(question.line, question.name, std::move(reason));
    }

    // The cleaned text, or nothing after refusing the question.
    std::optional<std::string> clean(const SourceQuestion& question, const SourceText& text,
                                     std::string_view what) {
        CleanText cleaned = cleanText(text);
        if (cleaned.refusal) {
            refuse(question, std::string(what) + ": " + *cleaned.refusal);
            return std::nullopt;
        }
        reduced_ = reduced_ || cleaned.markupReduced;
        return std::move(cleaned.text);
    }

    // Why the weights do not say plainly which answers are correct.
    static std::optional<std::string> weightProblem(const std::vector<SourceAnswer>& answers) {
        std::optional<double> positive;
        for (const SourceAnswer& answer : answers) {
            if (answer.weight <= 0)
                continue;
            if (positive && std::abs(*positive - answer.weight) >= kSameWeight)
                return "разные положительные веса ответов: файл теста отмечает ответ только как верный или "
                       "неверный";
            positive = answer.weight;
        }
        if (!positive)
            return "веса ответов не отмечают ни одного верного";
        return std::nullopt;
    }

    void consider(const SourceQuestion& question) {
        reduced_ = false;
        Candidate candidate;
        candidate.source = &question;
        if (question.hasImages)
            return refuse(question, "изображение");
        const auto text = clean(question, question.text, "текст вопроса");
        if (!text)
            return;
        if (text->empty())
            return refuse(question, "нет текста вопроса");
        candidate.record.question = *text;
        if (auto problem = weightProblem(question.answers))
            return refuse(question, std::move(*problem));
        const bool filled = question.kind == QuestionKind::MultipleChoice
                                ? fillOptions(question, candidate.record)
                                : fillShortAnswers(question, candidate.record);
        if (!filled)
            return;
        if (auto problem = formatRefusal(asExported(question, candidate.record), result_.format))
            return refuse(question, std::move(*problem));
        // A category name becomes the test's name: the rules of a text apply.
        std::vector<std::string> category;
        for (const std::string& segment : question.category) {
            CleanText name = cleanText({segment, Markup::Plain});
            if (!name.refusal && name.text.empty())
                name.refusal = "пустое название категории";
            if (name.refusal)
                return refuse(question, "категория: " + *name.refusal);
            category.push_back(std::move(name.text));
        }
        candidate.markupReduced = reduced_;
        placeInCategory(std::move(category), candidate);
        candidates_.push_back(std::move(candidate));
    }

    // The question as an export of the imported test would take it, for the
    // rules of what its format carries.
    static ExportQuestion asExported(const SourceQuestion& question, const qz::QuestionRecord& record) {
        ExportQuestion out;
        out.kind = question.kind;
        out.text = record.question;
        if (question.kind == QuestionKind::ShortAnswer) {
            for (const std::string& answer : qz::correctFromFields(qz::level2Fields(record)))
                out.answers.push_back({answer, true});
            return out;
        }
        const qz::AnswerMarks marks = qz::displayedMarks(record);
        for (int i = 0; i < qz::kAnswerCount; ++i)
            if (!record.options[i].empty())
                out.answers.push_back({record.options[i], marks[i]});
        return out;
    }

    // One correct answer graded all or nothing: what "один вариант ответа" means.
    static bool singleAnswer(const SourceQuestion& question) {
        return question.single && std::count_if(question.answers.begin(), question.answers.end(),
                                                [](const SourceAnswer& a) { return a.weight > 0; }) == 1;
    }

    bool fillOptions(const SourceQuestion& question, qz::QuestionRecord& record) {
        if (question.answers.size() > static_cast<std::size_t>(qz::kAnswerCount)) {
            refuse(question, "больше пяти вариантов ответа");
            return false;
        }
        qz::AnswerMarks marks{};
        for (std::size_t i = 0; i < question.answers.size(); ++i) {
            const auto text = clean(question, question.answers[i].text, "вариант ответа");
            if (!text)
                return false;
            if (text->empty()) {
                refuse(question, "пустой вариант ответа");
                return false;
            }
            record.options[i] = *text;
            marks[i] = question.answers[i].weight > 0;
        }
        // The file marks every option whose text equals a correct answer.
        if (qz::marksFromCorrect(record.options, qz::correctFromMarks(record.options, marks)) != marks) {
            refuse(question, "одинаковые варианты ответа с разной оценкой");
            return false;
        }
        qz::setCorrect(record, qz::correctFromMarks(record.options, marks));
        return true;
    }

    bool fillShortAnswers(const SourceQuestion& question, qz::QuestionRecord& record) {
        std::vector<std::string> answers;
        for (const SourceAnswer& answer : question.answers) {
            const auto text = clean(question, answer.text, "ответ");
            if (!text)
                return false;
            // The platform's "*" matches any text, "\*" is a star.
            std::string literal;
            for (std::size_t i = 0; i < text->size(); ++i) {
                if ((*text)[i] == '\\' && i + 1 < text->size() && (*text)[i + 1] == '*') {
                    literal += '*';
                    ++i;
                } else if ((*text)[i] == '*') {
                    refuse(question, "«*» (любой текст) в коротком ответе файл теста не хранит");
                    return false;
                } else {
                    literal += (*text)[i];
                }
            }
            if (answer.weight > 0) {
                if (literal.empty()) {
                    refuse(question, "пустой ответ");
                    return false;
                }
                // The list of correct answers ends at the first one that
                // reads as missing.
                if (literal == qz::kMissing) {
                    refuse(question, "ответ «" + literal + "» файл теста читает как отсутствующий");
                    return false;
                }
                answers.push_back(std::move(literal));
            }
        }
        if (answers.size() > static_cast<std::size_t>(qz::kAnswerCount)) {
            refuse(question, "больше пяти правильных ответов");
            return false;
        }
        qz::setCorrect(record, answers);
        return true;
    }

    static std::optional<int> variantNumber(std::string_view segment) {
        constexpr std::string_view prefix = "Вариант ";
        if (!segment.starts_with(prefix) || segment.size() == prefix.size() ||
            segment.size() > prefix.size() + 4)
            return std::nullopt;
        int number = 0;
        for (char c : segment.substr(prefix.size())) {
            if (c < '0' || c > '9')
                return std::nullopt;
            number = number * 10 + (c - '0');
        }
        return number >= 1 ? std::optional(number) : std::nullopt;
    }

    static void placeInCategory(std::vector<std::string> category, Candidate& candidate) {
        if (!category.empty())
            if ((candidate.variant = variantNumber(category.back())))
                category.pop_back();
        if (!category.empty())
            candidate.testName = category.front();
    }

    // The header carried for the test of the first question that names one.
    const SourceHeader* carriedHeader() const {
        for (const SourceQuestion& question : source_.questions) {
            Candidate placed;
            placeInCategory(question.category, placed);
            if (placed.testName.empty())
                continue;
            for (const SourceHeader& header : source_.headers)
                if (header.quizName == placed.testName)
                    return &header;
            return nullptr;
        }
        return nullptr;
    }

    // A carried value fit for a line of a test file, or nothing after a note.
    std::optional<std::string> carriedValue(const SourceHeader& header, std::string_view key) {
        const auto value = headerValue(header.values, key);
        if (!value)
            return std::nullopt;
        CleanText cleaned = cleanText({*value, Markup::Plain});
        if (cleaned.refusal) {
            result_.notes.push_back("«" + std::string(key) + "» из источника не взято: " + *cleaned.refusal);
            return std::nullopt;
        }
        return std::move(cleaned.text);
    }

    std::optional<QuestionKind> carriedLevel(const SourceHeader& header) {
        const auto level = carriedValue(header, qz::kKeyLevel);
        if (!level)
            return std::nullopt;
        if (*level == "1" || *level == "2")
            return *level == "1" ? QuestionKind::MultipleChoice : QuestionKind::ShortAnswer;
        result_.notes.push_back("«" + std::string(qz::kKeyLevel) + "» из источника не взято: «" + *level +
                                "» не уровень теста");
        return std::nullopt;
    }

    void applyHeader(const SourceHeader& header) {
        if (auto name = carriedValue(header, qz::kKeyName))
            result_.suggestedName = std::move(*name);
        result_.subject = carriedValue(header, qz::kKeySubject);
        carriedType_ = carriedValue(header, qz::kKeyType);
        const std::string_view gradeKeys[] = {qz::kKeyGrade5, qz::kKeyGrade4, qz::kKeyGrade3};
        for (std::size_t i = 0; i < result_.grades.size(); ++i)
            if (auto grade = carriedValue(header, gradeKeys[i]))
                result_.grades[i] = std::move(*grade);
    }

    // The level the header names, else that of the first question.
    void keepOneLevel(std::optional<QuestionKind> carried) {
        if (candidates_.empty() && !carried)
            return;
        const QuestionKind kind = carried.value_or(candidates_.empty() ? QuestionKind::MultipleChoice
                                                                       : candidates_.front().source->kind);
        result_.level = kind == QuestionKind::MultipleChoice ? 1 : 2;
        std::erase_if(candidates_, [&](const Candidate& c) {
            if (c.source->kind == kind)
                return false;
            refuse(*c.source, kind == QuestionKind::MultipleChoice
                                  ? "короткий ответ (уровень 2) в тесте уровня 1"
                                  : "выбор из вариантов (уровень 1) в тесте уровня 2");
            return true;
        });
    }

    void nameTheQuiz() {
        std::set<std::string> names;
        std::string first;
        for (const Candidate& candidate : candidates_)
            if (!candidate.testName.empty() && names.insert(candidate.testName).second && first.empty())
                first = candidate.testName;
        if (names.size() > 1) {
            std::string list;
            for (const std::string& name : names)
                list += (list.empty() ? "«" : ", «") + name + "»";
            throw Error("В источнике несколько тестов (" + list + "): импортируйте их по одному");
        }
        if (!first.empty())
            result_.suggestedName = first;
    }

    void place(const Candidate& candidate, int variant, int position) {
        result_.imported.push_back({variant, position, candidate.record});
        result_.variants = std::max(result_.variants, variant);
        result_.questions = std::max(result_.questions, position);
    }

    void placeByVariant() {
        std::vector<std::vector<const Candidate*>> variants;
        for (const Candidate& candidate : candidates_) {
            if (!candidate.variant) {
                refuse(*candidate.source, "вне категорий «Вариант N»");
                continue;
            }
            if (*candidate.variant > kMaxVariants)
                throw Error("Категория «Вариант " + std::to_string(*candidate.variant) +
                            "»: в тесте не больше 25 вариантов");
            if (variants.size() < static_cast<std::size_t>(*candidate.variant))
                variants.resize(*candidate.variant);
            variants[*candidate.variant - 1].push_back(&candidate);
        }
        for (std::size_t v = 0; v < variants.size(); ++v) {
            const int variant = static_cast<int>(v) + 1;
            if (variants[v].size() > static_cast<std::size_t>(kMaxPerVariant))
                throw Error("В варианте " + std::to_string(variant) + " больше 99 вопросов");
            // A name variant × 100 + q claims position q; the others take
            // the free positions in source order.
            std::vector<const Candidate*> slots(kMaxPerVariant + 1, nullptr);
            std::vector<const Candidate*> unnamed;
            for (const Candidate* candidate : variants[v]) {
                const auto number = parseWeight(candidate->source->name);
                const double q = number ? *number - variant * 100.0 : -1;
                // Compared as a double first: "1e100" is no int.
                const bool inRange = q >= 1 && q <= kMaxPerVariant && q == std::floor(q);
                const int position = inRange ? static_cast<int>(q) : 0;
                if (inRange && !slots[position])
                    slots[position] = candidate;
                else
                    unnamed.push_back(candidate);
            }
            std::size_t next = 0;
            for (int position = 1; position <= kMaxPerVariant && next < unnamed.size(); ++position)
                if (!slots[position])
                    slots[position] = unnamed[next++];
            for (int position = 1; position <= kMaxPerVariant; ++position)
                if (slots[position])
                    place(*slots[position], variant, position);
        }
        std::vector<int> filled(result_.variants + 1, 0);
        for (const ImportedQuestion& question : result_.imported)
            ++filled[question.variant];
        for (int v = 1; v <= result_.variants; ++v)
            if (filled[v] < result_.questions)
                result_.notes.push_back("В варианте " + std::to_string(v) + " не хватает " +
                                        std::to_string(result_.questions - filled[v]) + " вопр. из " +
                                        std::to_string(result_.questions));
    }

    void placeInOrder() {
        const int n = static_cast<int>(candidates_.size());
        if (n > kMaxQuestions)
            throw Error("В источнике " + std::to_string(n) + " вопросов, а в тесте их не больше 2475");
        if (n == 0)
            return;
        const int variants = (n + kMaxPerVariant - 1) / kMaxPerVariant;
        const int perVariant = (n + variants - 1) / variants;
        for (int i = 0; i < n; ++i)
            place(candidates_[i], i / perVariant + 1, i % perVariant + 1);
        if (const int missing = variants * perVariant - n; missing > 0)
            result_.notes.push_back("В последнем варианте на " + std::to_string(missing) +
                                    " вопр. меньше, чем в остальных");
    }

    void finish() {
        const bool allSingle = std::all_of(candidates_.begin(), candidates_.end(),
                                           [](const Candidate& c) { return singleAnswer(*c.source); });
        result_.type = carriedType_.value_or(std::string(
            result_.level == 1 && allSingle && !candidates_.empty() ? qz::kTypeOne : qz::kTypeMany));
        std::size_t caseBlind = 0;
        for (const Candidate& candidate : candidates_)
            if (candidate.markupReduced)
                result_.notes.push_back(sourceLabel(candidate.source->line, candidate.source->name) +
                                        ": HTML-разметка сведена к тексту");
        for (const Candidate& candidate : candidates_)
            caseBlind +=
                candidate.source->kind == QuestionKind::ShortAnswer && !candidate.source->caseSensitive;
        if (caseBlind > 0 && !result_.imported.empty())
            result_.notes.push_back("Коротких ответов, которые источник принимал без учёта регистра букв: " +
                                    std::to_string(caseBlind) + "; в файле теста регистр учитывается");
        std::stable_sort(refusals_.begin(), refusals_.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (auto& refusal : refusals_)
            result_.refused.push_back(std::move(refusal.second));
        std::sort(result_.imported.begin(), result_.imported.end(), [](const auto& a, const auto& b) {
            return std::pair(a.variant, a.position) < std::pair(b.variant, b.position);
        });
    }

    const ParsedSource& source_;
    ImportResult result_;
    std::vector<Candidate> candidates_;
    std::vector<std::pair<int, RefusedQuestion>> refusals_;
    std::optional<std::string> carriedType_;
    bool reduced_ = false;
};

ParsedSource parse(std::string_view document, Format format) {
    switch (format) {
    case Format::Gift:
        return parseGift(document);
    case Format::Aiken:
        return parseAiken(document);
    case Format::MoodleXml:
        break;
    }
    return parseMoodleXml(document);
}

} // namespace

ImportResult importQuiz(std::string_view document, Format format, std::string_view inputFileName) {
    const ParsedSource source = parse(document, format);
    return Importer(source, format, inputFileName).run();
}

std::string refusedLine(const RefusedQuestion& refused) {
    return refused.where + ": " + refused.reason;
}

std::vector<std::string> importSummary(const ImportResult& result) {
    std::vector<std::string> lines;
    lines.push_back("Импортировано вопросов: " + std::to_string(result.imported.size()) + " (уровень " +
                    std::to_string(result.level) + ", вариантов: " + std::to_string(result.variants) +
                    ", вопросов в варианте: " + std::to_string(result.questions) + ")");
    if (!result.malformed.empty()) {
        const std::vector<std::string> malformed = malformedSummary(result);
        lines.insert(lines.end(), malformed.begin(), malformed.end());
    }
    if (!result.refused.empty()) {
        lines.push_back("Не импортировано (" + std::to_string(result.refused.size()) + "):");
        for (const RefusedQuestion& refused : result.refused)
            lines.push_back(refusedLine(refused));
    }
    lines.insert(lines.end(), result.notes.begin(), result.notes.end());
    // The structure check wants five options in every question, level 2 included.
    const auto fewerThanFive =
        std::count_if(result.imported.begin(), result.imported.end(), [](const ImportedQuestion& question) {
            return std::any_of(question.record.options.begin(), question.record.options.end(),
                               [](const std::string& option) { return option.empty(); });
        });
    if (fewerThanFive > 0)
        lines.push_back("Вопросов, в которых меньше пяти вариантов ответа: " + std::to_string(fewerThanFive) +
                        "; проверка структуры теста назовёт их («нет пяти вариантов ответа»)");
    return lines;
}

std::vector<std::string> malformedSummary(const ImportResult& result) {
    std::vector<std::string> lines;
    lines.push_back("Ошибки в файле " + std::string(formatTitle(result.format)) + " (" +
                    std::to_string(result.malformed.size()) + "):");
    for (const RefusedQuestion& malformed : result.malformed)
        lines.push_back(refusedLine(malformed));
    return lines;
}

void writeImportedQuiz(const std::string& path, const ImportResult& result, std::string_view name,
                       std::string_view subject, ExistingFile existing) {
    if (result.imported.empty())
        throw Error("Нет ни одного вопроса, который можно импортировать");
    if (!qz::isListableQuizName(name))
        throw Error(std::string(qz::kBadQuizName));
    for (std::string_view text : {name, subject})
        if (!fitsCp1251(text))
            throw Error("«" + std::string(text) + "»: символы, которых нет в кодовой странице Windows-1251");
    if (newquiz::fileExistsAt(path)) {
        if (existing == ExistingFile::Refuse)
            throw WriteError("Файл " + path + " уже есть", EEXIST);
        newquiz::moveToBackup(path);
    }
    ProfileFile file(path);
    const std::pair<std::string_view, std::string> header[] = {
        {qz::kKeyName, std::string(name)},
        {qz::kKeySubject, std::string(subject)},
        {qz::kKeyType, result.type},
        {qz::kKeyLevel, std::to_string(result.level)},
        {qz::kKeyVariants, std::to_string(result.variants)},
        {qz::kKeyQuestions, std::to_string(result.questions)},
        {qz::kKeyGrade5, result.grades[0]},
        {qz::kKeyGrade4, result.grades[1]},
        {qz::kKeyGrade3, result.grades[2]},
    };
    for (const auto& [key, value] : header)
        file.writeString(qz::kHeaderSection, key, value);
    const qz::StoredAnswers answers =
        result.level == 1 ? qz::StoredAnswers::OptionsAndCorrect : qz::StoredAnswers::CorrectOnly;
    for (const ImportedQuestion& question : result.imported)
        qz::writeQuestionRecord(file, qz::sectionName(question.variant, question.position), question.record,
                                answers);
    // A file that appeared since the check above is never replaced either.
    if (existing == ExistingFile::Refuse)
        file.releaseAsNew();
    else
        file.release();
}

} // namespace quizloom::exchange
