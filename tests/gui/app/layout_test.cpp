// The window's layout: at the form's size every control stands where the
// form puts it; a larger window gives the question and the answers (and the
// report) the room.
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QWidget>
#include <ostream>
#include <string_view>

#include "support/gui/window_fixture.h"

// Geometry in failure messages.
void PrintTo(const QRect& r, std::ostream* out) {
    *out << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}
void PrintTo(const QPoint& p, std::ostream* out) {
    *out << p.x() << "," << p.y();
}
void PrintTo(const QSize& s, std::ostream* out) {
    *out << s.width() << "x" << s.height();
}

namespace quizloom::testing {
namespace {

// Left, top within the parent; width and height where the form fixes them
// (labels size themselves to their text: 0).
struct Placed {
    const char* name;
    int left, top, width, height;
};

constexpr Placed kFormPlaces[] = {
    {"Panel1", 0, 0, 684, 398},
    {"Panel2", 0, 398, 684, 40},
    {"Panel3", 5, 5, 674, 108},
    {"Label13", 0, 11, 0, 0},
    {"EditDSubject", 80, 8, 145, 21},
    {"Label14", 240, 11, 0, 0},
    {"EditType", 272, 8, 177, 21},
    {"Label7", 488, 3, 0, 0},
    {"Label16", 560, 3, 0, 0},
    {"Label17", 600, 3, 0, 0},
    {"Label18", 640, 3, 0, 0},
    {"Label15", 464, 19, 77, 26},
    {"Edit_5", 552, 24, 33, 21},
    {"Edit_4", 592, 24, 33, 21},
    {"Edit_3", 632, 24, 33, 21},
    {"Label10", 32, 35, 0, 0},
    {"EditMaxVar", 136, 32, 33, 21},
    {"Label11", 176, 35, 0, 0},
    {"EditMaxQue", 272, 32, 33, 21},
    {"Label12", 312, 35, 0, 0},
    {"Label6", 0, 59, 0, 0},
    {"EditNumLevel", 56, 56, 17, 21},
    {"Label8", 80, 59, 0, 0},
    {"EditNumVar", 136, 56, 33, 21},
    {"Label9", 176, 59, 0, 0},
    {"EditNumQue", 272, 56, 33, 21},
    {"BoxSubject", 312, 56, 361, 21},
    {"LabelQue", 176, 83, 0, 0},
    {"RadioGroup1", 392, 75, 281, 30},
    {"RadioButtonRead", 400, 83, 105, 17},
    {"RadioButtonEdit", 504, 83, 161, 17},
    {"LabelQwe", 8, 115, 0, 0},
    {"EditQue", 8, 136, 673, 21},
    {"GroupVar", 8, 168, 673, 217},
    {"LabelRigth", 592, 16, 0, 0},
    {"Label1", 8, 43, 0, 0},
    {"Label2", 8, 75, 0, 0},
    {"Label3", 8, 107, 0, 0},
    {"Label4", 8, 139, 0, 0},
    {"Label5", 8, 171, 0, 0},
    {"Edit1", 32, 40, 577, 21},
    {"Edit2", 32, 72, 577, 21},
    {"Edit3", 32, 104, 577, 21},
    {"Edit4", 32, 136, 577, 21},
    {"Edit5", 32, 168, 577, 21},
    {"CheckBox1", 616, 43, 25, 17},
    {"CheckBox2", 616, 75, 25, 17},
    {"CheckBox3", 616, 107, 25, 17},
    {"CheckBox4", 616, 139, 25, 17},
    {"CheckBox5", 616, 171, 25, 17},
    {"BtnSave", 91, 10, 75, 25},
    {"CancelBtn", 11, 10, 75, 25},
    {"BtnPlus", 352, 10, 75, 25},
    {"BtnMinus", 272, 10, 75, 25},
    {"BtnPlusQ", 568, 10, 113, 25},
    {"BtnMinusQ", 448, 10, 113, 25},
};

QRect formPlace(std::string_view name) {
    for (const Placed& p : kFormPlaces)
        if (name == p.name)
            return QRect(p.left, p.top, p.width, p.height);
    ADD_FAILURE() << "not in the table: " << name;
    return {};
}

class WindowLayout : public GuiWindowTest {
protected:
    QRect place(const char* name) { return find(name)->geometry(); }
    void resizeClient(int width, int height) {
        window().resize(width, window().menuBar()->height() + height);
        processEvents();
    }
};

TEST_F(WindowLayout, EveryControlStandsWhereTheFormPutsIt) {
    open();
    ASSERT_EQ(window().width(), 684);
    ASSERT_EQ(window().height() - window().menuBar()->height(), 457);
    for (const Placed& p : kFormPlaces) {
        const QRect actual = place(p.name);
        EXPECT_EQ(actual.topLeft(), QPoint(p.left, p.top)) << p.name;
        if (p.width > 0) {
            EXPECT_EQ(actual.size(), QSize(p.width, p.height)) << p.name;
        }
    }
    EXPECT_EQ(form().StatusBar1->geometry(), QRect(0, window().menuBar()->height() + 438, 684, 19));
}

TEST_F(WindowLayout, AWiderWindowWidensTheQuestionAndTheAnswers) {
    open();
    resizeClient(984, 557);
    for (const char* name : {"EditQue", "GroupVar", "Edit1", "Edit3", "Edit5"}) {
        EXPECT_EQ(place(name).width(), formPlace(name).width() + 300) << name;
        EXPECT_EQ(place(name).topLeft(), formPlace(name).topLeft()) << name;
    }
    // The marks and their heading keep their distance from the right edge.
    EXPECT_EQ(place("CheckBox1").x(), 616 + 300);
    EXPECT_EQ(place("CheckBox5").x(), 616 + 300);
    EXPECT_EQ(place("LabelRigth").x(), 592 + 300);
    // What stands left keeps its place; the button row stays at the bottom.
    EXPECT_EQ(place("BoxSubject"), QRect(312, 56, 361, 21));
    EXPECT_EQ(place("CancelBtn").topLeft(), QPoint(11, 10));
    EXPECT_EQ(place("Panel2"), QRect(0, 498, 984, 40));
    EXPECT_EQ(form().StatusBar1->geometry(), QRect(0, window().menuBar()->height() + 538, 984, 19));
}

TEST_F(WindowLayout, TheFormsSizeIsTheSmallest) {
    open();
    resizeClient(400, 300);
    EXPECT_EQ(window().width(), 684);
    EXPECT_EQ(window().height() - window().menuBar()->height(), 457);
    EXPECT_EQ(place("EditQue"), QRect(8, 136, 673, 21));
}

TEST_F(WindowLayout, TheReportTakesTheWholeClientAreaAtAnySize) {
    open();
    window().SwitchView(true);
    processEvents();
    resizeClient(900, 600);
    EXPECT_EQ(form().Memo1->geometry(), QRect(0, 0, 900, 600 - 19));
    EXPECT_TRUE(form().Panel1->isHidden());
    window().SwitchView(false);
    processEvents();
    EXPECT_TRUE(form().Memo1->isHidden());
    EXPECT_EQ(place("Panel2"), QRect(0, 600 - 19 - 40, 900, 40));
}

} // namespace
} // namespace quizloom::testing
