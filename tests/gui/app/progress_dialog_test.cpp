// The real progress dialog: the work runs on another thread, the dialog
// shows its steps, and every way of closing it only asks the work to stop;
// the dialog goes when the work has returned.
#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "gui/app/dialogs.h"
#include "support/gui/window_fixture.h"

namespace quizloom::testing {
namespace {

QString labelText(QWidget* dialog) {
    for (QLabel* label : dialog->findChildren<QLabel*>())
        return label->text();
    return {};
}

// Work that takes steps "1", "2", ... and waits after each until the test
// lets it go on; it returns at the first step answered with false.
struct GatedWork {
    std::atomic_int allowed{1};
    std::atomic_int taken{0};
    std::atomic_bool refused{false};
    std::thread::id thread;
    void operator()(const ProgressStep& step) {
        thread = std::this_thread::get_id();
        for (int i = 1;; ++i) {
            while (allowed < i)
                std::this_thread::yield();
            taken = i;
            if (!step(QString::number(i))) {
                refused = true;
                return;
            }
        }
    }
};

enum class StopBy { Button, Escape, CloseBox };

std::string stopName(const ::testing::TestParamInfo<StopBy>& info) {
    constexpr const char* kNames[] = {"Button", "Escape", "CloseBox"};
    return kNames[static_cast<int>(info.param)];
}

class ProgressDialogTest : public ::testing::TestWithParam<StopBy> {};

TEST_P(ProgressDialogTest, StopsTheWorkAndStaysUntilItHasReturned) {
    QtDialogs dialogs;
    GatedWork work;
    std::atomic_bool stop = false;
    // Polled from the dialog's own event loop until the first step is shown.
    QTimer poll;
    const QDeadlineTimer deadline(10'000);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!deadline.hasExpired() && (!dialog || labelText(dialog) != "1"))
            return;
        poll.stop();
        // Whatever fails here, the work is let go on, so that the test ends;
        // its next step learns of the stop.
        const auto letGo = qScopeGuard([&] { work.allowed = 2; });
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(labelText(dialog), "1") << "the first step is shown";
        EXPECT_EQ(dialog->windowTitle().toStdString(), "Quizloom");
        QPushButton* button = dialog->findChild<QPushButton*>();
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text().toStdString(), "Прервать");
        switch (GetParam()) {
        case StopBy::Button:
            button->click();
            break;
        case StopBy::Escape:
            pressKey(dialog, Qt::Key_Escape);
            break;
        case StopBy::CloseBox:
            dialog->close();
            break;
        }
        EXPECT_TRUE(stop);
        EXPECT_TRUE(dialog->isVisible()) << "the dialog waits for the work";
        EXPECT_FALSE(button->isEnabled());
    });
    poll.start(5);
    dialogs.runWithProgress(nullptr, "Quizloom", "0", std::ref(work), stop);
    EXPECT_EQ(work.taken, 2);
    EXPECT_TRUE(work.refused);
    EXPECT_NE(work.thread, std::this_thread::get_id());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(EveryWay, ProgressDialogTest,
                         ::testing::Values(StopBy::Button, StopBy::Escape, StopBy::CloseBox), stopName);

TEST(ProgressDialog, ShowsTheFirstTextAndEndsWithTheWorkOrItsFailure) {
    QtDialogs dialogs;
    std::atomic_bool stop = false;
    QString firstText;
    std::atomic_bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        firstText = dialog ? labelText(dialog) : QStringLiteral("no dialog");
        seen = true;
    });
    int steps = 0;
    dialogs.runWithProgress(
        nullptr, "Quizloom", "Проверено 0 из 3",
        [&](const ProgressStep& step) {
            // Waits for the dialog, so that its first text is seen.
            while (!seen)
                std::this_thread::yield();
            while (steps < 3 && step(QString::number(steps)))
                ++steps;
        },
        stop);
    EXPECT_EQ(firstText.toStdString(), "Проверено 0 из 3");
    EXPECT_EQ(steps, 3);
    EXPECT_FALSE(stop);

    // The program may stop the work too.
    stop = true;
    dialogs.runWithProgress(
        nullptr, "Quizloom", "", [&](const ProgressStep& step) { EXPECT_FALSE(step("1")); }, stop);

    stop = false;
    EXPECT_THROW(
        dialogs.runWithProgress(
            nullptr, "Quizloom", "", [](const ProgressStep&) { throw std::runtime_error("failed"); }, stop),
        std::runtime_error);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace quizloom::testing
