#include "gui/print/print_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/print/variant_choice.h"

namespace pr = quizloom::print;

namespace {

QString qs(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

template <class W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* checkBox(QWidget* parent, const char* text, const char* name) {
    return named(new QCheckBox(QString::fromUtf8(text), parent), name);
}

QPushButton* button(QWidget* parent, const char* text, const char* name) {
    auto* result = named(new QPushButton(QString::fromUtf8(text), parent), name);
    result->setAutoDefault(false);
    return result;
}

} // namespace

PrintDialog::PrintDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintDialog"));
    setWindowTitle(QStringLiteral("Печать теста"));
    variants_ = named(new QComboBox(this), "BoxVariants");
    variants_->setEditable(true);
    variants_->setInsertPolicy(QComboBox::NoInsert);
    variants_->addItems({qs(pr::kCurrentVariant), qs(pr::kAllVariants)});
    variants_->lineEdit()->setPlaceholderText(QStringLiteral("например, 1, 3-5"));
    shuffleQuestions_ = checkBox(this, "Перемешать вопросы", "CheckShuffleQuestions");
    shuffleOptions_ = checkBox(this, "Перемешать варианты ответа", "CheckShuffleOptions");
    key_ = named(new QSpinBox(this), "EditShuffleKey");
    key_->setRange(0, static_cast<int>(pr::kMaxShuffleKey));
    answerKey_ = checkBox(this, "Лист ответов", "CheckAnswerKey");
    studentLine_ = checkBox(this, "Строка для ученика", "CheckStudentLine");
    fontSize_ = named(new QSpinBox(this), "EditFontSize");
    fontSize_->setRange(pr::kMinFontSize, pr::kMaxFontSize);
    fontSize_->setSuffix(QStringLiteral(" пт"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Варианты"), variants_);
    form->addRow(shuffleQuestions_);
    form->addRow(shuffleOptions_);
    form->addRow(QStringLiteral("Ключ перемешивания"), key_);
    form->addRow(answerKey_);
    form->addRow(studentLine_);
    form->addRow(QStringLiteral("Размер шрифта"), fontSize_);

    preview_ = button(this, "Предпросмотр…", "BtnPreview");
    print_ = button(this, "Печать…", "BtnPrint");
    pdf_ = button(this, "PDF…", "BtnPdf");
    odt_ = button(this, "ODT…", "BtnOdt");
    QPushButton* close = button(this, "Закрыть", "BtnClose");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {preview_, print_, pdf_, odt_, close})
        buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    for (QCheckBox* shuffle : {shuffleQuestions_, shuffleOptions_})
        connect(shuffle, &QCheckBox::toggled, this, [this] { enableKey(); });
    setChoices({});
}

pr::PaperChoices PrintDialog::choices() const {
    pr::PaperChoices choices;
    choices.variants = variants_->currentText().toStdString();
    choices.shuffleQuestions = shuffleQuestions_->isChecked();
    choices.shuffleOptions = shuffleOptions_->isChecked();
    choices.key = static_cast<std::uint32_t>(key_->value());
    choices.answerKey = answerKey_->isChecked();
    choices.studentLine = studentLine_->isChecked();
    choices.fontSize = fontSize_->value();
    return choices;
}

void PrintDialog::setChoices(const pr::PaperChoices& choices) {
    variants_->setEditText(QString::fromStdString(choices.variants));
    shuffleQuestions_->setChecked(choices.shuffleQuestions);
    shuffleOptions_->setChecked(choices.shuffleOptions);
    key_->setValue(static_cast<int>(std::min(choices.key, pr::kMaxShuffleKey)));
    answerKey_->setChecked(choices.answerKey);
    studentLine_->setChecked(choices.studentLine);
    fontSize_->setValue(choices.fontSize);
    enableKey();
}

void PrintDialog::enableKey() {
    key_->setEnabled(shuffleQuestions_->isChecked() || shuffleOptions_->isChecked());
}
