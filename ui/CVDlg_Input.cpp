#include "ui/CVDlg_Input.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/CharFilterEdit.h"
#include "ui/DesignScale.h"
#include "ui/InputMode.h"

namespace {

// Dialog units of an 8-point dialog font: a quarter of the average character width (6 px)
// across, an eighth of the character height (13 px) down, at 96 dpi.
QRect DialogUnits(int x, int y, int w, int h) {
    const auto across = [](int v) { return ScaleDesignMeasure((v * 6 + 2) / 4); };
    const auto down = [](int v) { return ScaleDesignMeasure((v * 13 + 4) / 8); };
    return QRect(across(x), down(y), across(w), down(h));
}

}  // namespace

CVDlg_Input::CVDlg_Input(QWidget* parent, const QString& prompt, const QString& title,
                         const QString& initialText, int mode)
    : QDialog(parent), mode_(mode) {
    setWindowTitle(title.isEmpty() ? QStringLiteral("请输入：") : title);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    const bool withPrompt = !prompt.isEmpty();
    const QRect editRect = withPrompt ? DialogUnits(7, 45, 238, 12) : DialogUnits(7, 7, 200, 12);

    if (withPrompt) {
        setFixedSize(DialogUnits(0, 0, 252, 92).size());
        promptFrame_ = new QFrame(this);
        promptFrame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        promptFrame_->setGeometry(DialogUnits(7, 7, 238, 35));
        promptLabel_ = new QLabel(prompt, this);
        promptLabel_->setTextFormat(Qt::PlainText);
        promptLabel_->setWordWrap(true);
        promptLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        promptLabel_->setGeometry(DialogUnits(12, 11, 229, 27));
    } else {
        setFixedSize(DialogUnits(0, 0, 214, 56).size());
    }

    plainEdit_ = new CharFilterEdit(this);
    passwordEdit_ = new CharFilterEdit(this);
    passwordEdit_->setEchoMode(QLineEdit::Password);
    for (CharFilterEdit* edit : {plainEdit_, passwordEdit_}) {
        edit->setGeometry(editRect);
    }

    okButton_ = new QPushButton(QStringLiteral("确认输入(&O)"), this);
    cancelButton_ = new QPushButton(QStringLiteral("取消(&C)"), this);
    okButton_->setGeometry(withPrompt ? DialogUnits(63, 66, 55, 19) : DialogUnits(82, 30, 55, 19));
    cancelButton_->setGeometry(withPrompt ? DialogUnits(134, 66, 55, 19)
                                          : DialogUnits(151, 30, 55, 19));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &CVDlg_Input::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &CVDlg_Input::reject);

    CharFilterEdit* active = ActiveEdit();
    (active == plainEdit_ ? passwordEdit_ : plainEdit_)->hide();
    active->SetFilter([mode](QChar c) { return InputDialogModeAllowsChar(mode, c); },
                      vantric::BeepKind::Asterisk);
    active->setText(initialText);
    active->selectAll();
    active->setFocus(Qt::OtherFocusReason);
}

CharFilterEdit* CVDlg_Input::ActiveEdit() const {
    return mode_ == 4 ? passwordEdit_ : plainEdit_;
}

void CVDlg_Input::accept() {
    result_ = ActiveEdit()->text();
    done(1);
}

void CVDlg_Input::reject() {
    result_.clear();
    done(2);
}
