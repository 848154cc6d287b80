#include "gui/about/about_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "core/text/error.h"
#include "gui/about/about_pictures.h"
#include "gui/about/jpeg.h"
#include "support/gui/window_fixture.h"

namespace {

using quizloom::decodeJpeg;
namespace pictures = quizloom::about;

// JPEG is lossy: a colour of the drawing comes back close, not equal.
void expectColourNear(const QImage& image, int x, int y, QRgb expected) {
    const QRgb got = image.pixel(x, y);
    const int tolerance = 24;
    EXPECT_NEAR(qRed(got), qRed(expected), tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(qGreen(got), qGreen(expected), tolerance) << "at " << x << "," << y;
    EXPECT_NEAR(qBlue(got), qBlue(expected), tolerance) << "at " << x << "," << y;
}

TEST(AboutPictures, DecodeThroughLibjpegToTheirSizesAndColours) {
    const QImage sheet = decodeJpeg(pictures::kSheetJpeg, sizeof pictures::kSheetJpeg);
    ASSERT_FALSE(sheet.isNull());
    EXPECT_EQ(sheet.size(), QSize(100, 90));
    expectColourNear(sheet, 3, 3, qRgb(0xd8, 0xe4, 0xf0));   // desk
    expectColourNear(sheet, 44, 19, qRgb(0xff, 0xff, 0xff)); // paper
    expectColourNear(sheet, 96, 86, qRgb(0xd8, 0xe4, 0xf0)); // desk, far corner

    const QImage loom = decodeJpeg(pictures::kLoomJpeg, sizeof pictures::kLoomJpeg);
    ASSERT_FALSE(loom.isNull());
    EXPECT_EQ(loom.size(), QSize(90, 100));
    expectColourNear(loom, 45, 4, qRgb(0x6b, 0x44, 0x23));  // upper beam
    expectColourNear(loom, 45, 95, qRgb(0x6b, 0x44, 0x23)); // lower beam
    const QRgb warp = loom.pixel(6, 30);
    EXPECT_GT(qBlue(warp), qRed(warp) + 80) << "a warp thread is blue";
}

TEST(AboutPictures, DamagedDataGivesNoPictureAndNoCrash) {
    const std::string whole(reinterpret_cast<const char*>(pictures::kLoomJpeg), sizeof pictures::kLoomJpeg);
    auto decode = [](const std::string& bytes) {
        return decodeJpeg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    };
    EXPECT_TRUE(decodeJpeg(nullptr, 0).isNull());
    EXPECT_TRUE(decode("not a picture at all").isNull());
    EXPECT_TRUE(decode(whole.substr(0, 20)).isNull());               // header cut
    EXPECT_TRUE(decode(whole.substr(0, whole.size() / 2)).isNull()); // scan cut
    std::string scrambled = whole;
    for (std::size_t i = scrambled.size() / 3; i < scrambled.size() - 2; i += 7)
        scrambled[i] ^= 0x5a;
    const QImage damaged = decode(scrambled); // may or may not decode; must not crash
    if (!damaged.isNull()) {
        EXPECT_EQ(damaged.size(), QSize(90, 100));
    }
}

class AboutBoxTest : public ::testing::Test {
protected:
    AboutBoxTest() { owner.setWindowTitle(QStringLiteral("Квизлум")); }
    QWidget owner;
};

TEST_F(AboutBoxTest, PicturesAreDrawnUnscaledFromTheTopLeftOfTheirBoxes) {
    TAboutBox box(&owner);
    EXPECT_EQ(box.objectName(), "AboutBox");
    EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "no resizing";
    // The loom keeps its 100 rows in a box of 97: the bottom ones are cut, not squeezed.
    EXPECT_EQ(box.Image2->size(), QSize(97, 97));
    EXPECT_EQ(box.Image2->pixmap().size(), QSize(90, 100));
    EXPECT_EQ(box.Image2->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_FALSE(box.Image2->hasScaledContents());
    EXPECT_EQ(box.Image1->pixmap().size(), QSize(100, 90));
    EXPECT_TRUE(box.Label4->text().contains("1.2"));
    EXPECT_TRUE(box.OKButton->isDefault());
}

TEST_F(AboutBoxTest, TheLegalNoticeNamesTheLicenceAndShowsAllOfItsLines) {
    TAboutBox box(&owner);
    EXPECT_TRUE(box.Memo1->toPlainText().contains("MIT"));
    EXPECT_EQ(box.Memo1->toPlainText().count('\n'), 5) << "six lines";
    box.show();
    quizloom::testing::processEvents();
    EXPECT_EQ(box.Memo1->verticalScrollBar()->maximum(), 0) << "nothing left to scroll to";
    // The button stays below the box, inside the dialog.
    EXPECT_GE(box.OKButton->y(), box.Memo1->geometry().bottom());
    EXPECT_LE(box.OKButton->geometry().bottom(), box.height());
    box.reject();
}

TEST_F(AboutBoxTest, ProductLineIsTheOwnersCaptionOnceShown) {
    owner.setWindowTitle(QStringLiteral("Квизлум 2"));
    TAboutBox box(&owner);
    EXPECT_EQ(box.ProductName->text(), "Программа");
    box.show();
    EXPECT_EQ(box.ProductName->text(), "Квизлум 2");
    box.reject();
}

TEST_F(AboutBoxTest, ClosesByOkByEnterAndByTheCloseBox) {
    {
        TAboutBox box(&owner);
        box.show();
        box.OKButton->click();
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), QDialog::Accepted);
    }
    {
        TAboutBox box(&owner);
        box.show();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&box, &enter);
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), QDialog::Accepted);
    }
    {
        TAboutBox box(&owner);
        box.show();
        EXPECT_TRUE(box.close());
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), QDialog::Rejected);
    }
}

// The menu item through the window's wiring, as the user chooses it.
class AboutFromMenuTest : public quizloom::testing::GuiWindowTest {
protected:
    void SetUp() override {
        writeIni(testsDir() + "/a.ini", {{"Тест", "Название теста", "Алгебра"}});
        writeIni(testsDir() + "/b.ini", {{"Тест", "Название теста", "Биология"}});
        open();
    }
};

TEST_F(AboutFromMenuTest, OpensAndClosesRepeatedlyLeavingTheWindowAsItWas) {
    form().BoxSubject->setCurrentIndex(1);
    form().BoxSubject->activated(1); // picked by the user
    form().NSimple->setChecked(true);
    form().NPrintStatMin->setChecked(false);
    const int test = window().currentTest();
    const QString shownName = form().BoxSubject->currentText();
    const std::string workDir = window().workDir();
    // A settings file changed behind the program's back is not read again.
    writeSettings({{"", "Рабочий каталог", temp.path() + "/"}, {"", "NSimple", "0"}});

    QPointer<QDialog> shown;
    int showings = 0;
    dialogs.execHook = [&](QDialog& dialog) {
        auto& box = dynamic_cast<TAboutBox&>(dialog);
        shown = &box;
        EXPECT_EQ(box.parentWidget(), &window());
        box.show();
        EXPECT_EQ(box.ProductName->text() + "[*]", window().windowTitle()) << "without the modified marker";
        EXPECT_EQ(box.ProductName->text(), "Квизлум");
        // Closed alternately by OK and by the close box.
        if (showings++ % 2 == 0)
            box.OKButton->click();
        else
            box.close();
        return box.result();
    };
    for (int i = 0; i < 4; ++i) {
        form().N2->trigger();
        EXPECT_TRUE(shown.isNull()) << "the dialog is destroyed when it closes";
    }
    EXPECT_EQ(showings, 4);
    EXPECT_EQ(dialogs.count(quizloom::testing::DialogKind::Exec), 4);
    EXPECT_EQ(dialogs.last(quizloom::testing::DialogKind::Exec).text, "AboutBox");
    EXPECT_EQ(window().currentTest(), test);
    EXPECT_EQ(form().BoxSubject->currentText(), shownName);
    EXPECT_EQ(window().workDir(), workDir);
    EXPECT_TRUE(form().NSimple->isChecked());
    EXPECT_FALSE(form().NPrintStatMin->isChecked());
    EXPECT_TRUE(dialogs.errorTexts().empty());
}

TEST_F(AboutFromMenuTest, DialogIsDestroyedWhenAnErrorEndsTheDisplay) {
    QPointer<QDialog> shown;
    dialogs.execHook = [&](QDialog& dialog) -> int {
        shown = &dialog;
        throw quizloom::Error("display failed");
    };
    form().N2->trigger();
    EXPECT_TRUE(shown.isNull());
    ASSERT_EQ(dialogs.errorTexts().size(), 1u);
    EXPECT_TRUE(dialogs.errorTexts()[0].startsWith("display failed"));
}

} // namespace
