// Which settings file the program uses on this desktop, and that a window
// over it reads and writes that one: the user's own under XDG_CONFIG_HOME
// (a temporary one here), or a portable file beside the executable.
#include "gui/app/settings_location.h"

#include <QAction>
#include <QByteArray>
#include <filesystem>
#include <optional>

#include "core/ini/profile_file.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

class SettingsOnThisDesktop : public GuiWindowTest {
protected:
    SettingsOnThisDesktop() {
        if (qEnvironmentVariableIsSet(kXdg))
            previousXdg_ = qgetenv(kXdg);
        qputenv(kXdg, QByteArray::fromStdString(config));
        std::filesystem::create_directories(temp.file("bin"));
    }
    ~SettingsOnThisDesktop() override {
        if (previousXdg_)
            qputenv(kXdg, *previousXdg_);
        else
            qunsetenv(kXdg);
    }

    // A window over the file the program would choose, opened and closed
    // as a run of the program does it.
    void runOnce() {
        TFormQuizloom window(settingsLocation(QString::fromStdString(executable)), dialogs);
        window.show();
        processEvents();
        window.close();
        processEvents();
    }
    std::string workDirIn(const std::string& file) {
        return ProfileFile(file).readString("Тест", "Рабочий каталог", "<missing>");
    }

    static constexpr const char* kXdg = "XDG_CONFIG_HOME";
    std::string config = temp.file("config");
    std::string executable = temp.file("bin/quizloom");
    std::string portable = temp.file("bin/quizloom.INI");
    std::string user = config + "/quizloom/quizloom.ini";

private:
    std::optional<QByteArray> previousXdg_;
};

TEST_F(SettingsOnThisDesktop, TheUsersFileAndFolderAreMadeAtTheFirstClose) {
    EXPECT_EQ(settingsLocation(QString::fromStdString(executable)).toStdString(), user);
    const std::string tests = testsDir();
    runOnce();
    ASSERT_TRUE(fileExists(user));
    EXPECT_EQ(workDirIn(user), tests + "/");
    EXPECT_FALSE(fileExists(portable)) << "nothing beside the executable";

    // The next run reads it back.
    const std::string bank = temp.file("bank");
    std::filesystem::create_directories(bank);
    writeIni(user, {{"Тест", "Рабочий каталог", bank + "/"}, {"Тест", "NSimple", "1"}});
    TFormQuizloom window(settingsLocation(QString::fromStdString(executable)), dialogs);
    window.show();
    processEvents();
    EXPECT_EQ(window.workDir(), bank + "/");
    EXPECT_TRUE(window.form().NSimple->isChecked());
}

TEST_F(SettingsOnThisDesktop, APortableFileBesideTheExecutableIsUsedInstead) {
    writeIni(portable, {});
    EXPECT_EQ(settingsLocation(QString::fromStdString(executable)).toStdString(), portable);
    const std::string tests = testsDir();
    runOnce();
    EXPECT_EQ(workDirIn(portable), tests + "/");
    EXPECT_FALSE(std::filesystem::exists(config)) << "the user's folder is left alone";
}

} // namespace
} // namespace quizloom::testing
