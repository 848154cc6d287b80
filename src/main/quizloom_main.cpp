// The editor's entry point: answers --help and --version without opening a
// window system, then runs one main window over the settings file chosen for
// this executable.
#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>
#include <exception>
#include <memory>
#include <optional>

#include "core/text/error_text.h"
#include "gui/app/application_setup.h"
#include "gui/app/form_quizloom.h"
#include "gui/app/settings_location.h"

namespace {

void showFatal(const char* message) {
    const std::string text = quizloom::errorBoxText(message);
    if (qApp) {
        QtDialogs().errorBox(nullptr, TFormQuizloom::applicationTitle(), QString::fromStdString(text));
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

// The exit status when the arguments ask for --help or --version, printed
// here; nothing otherwise. Any other argument is ignored, as it always was.
std::optional<int> answerCommandLine(int argc, char** argv) {
    // A core application only: a terminal without a display must do.
    QCoreApplication core(argc, argv);
    quizloom::installToolkitTranslation(core);
    QCommandLineParser parser;
    // "-reverse" and the like are the toolkit's own, not clusters of letters.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral(
        "Quizloom — редактор банков тестов с выбором ответа.\nДругие аргументы не учитываются."));
    // Declared here rather than with addHelpOption, which would also offer
    // the toolkit's --help-all that nothing here answers.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Показать этот текст и выйти."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Показать название и версию и выйти."));
    parser.addOptions({help, version});
    parser.parse(QCoreApplication::arguments());
    QString answer;
    if (parser.isSet(help))
        answer = parser.helpText();
    else if (parser.isSet(version))
        answer = QCoreApplication::applicationName() + QLatin1Char(' ') +
                 QCoreApplication::applicationVersion() + QLatin1Char('\n');
    else
        return std::nullopt;
    const QByteArray bytes = answer.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("quizloom"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIZLOOM_VERSION));
    std::unique_ptr<QApplication> app;
    try {
        if (const std::optional<int> answered = answerCommandLine(argc, argv))
            return *answered;
        app = std::make_unique<QApplication>(argc, argv);
        quizloom::setUpApplication(*app);
        QtDialogs dialogs;
        TFormQuizloom window(settingsLocation(QCoreApplication::applicationFilePath()), dialogs);
        window.show();
        app->exec();
        return 0;
    } catch (const std::exception& e) {
        showFatal(e.what());
    } catch (...) {
        showFatal("Неизвестная ошибка");
    }
    return 1;
}
