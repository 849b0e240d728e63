#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {

class QtMessageBoxes : public IMessageBoxes {
public:
    int Show(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) override
    {
        QMessageBox box;
        box.setText(QString::fromStdString(text));
        box.setTextFormat(Qt::PlainText);
        switch (type) {
        case TMsgDlgType::mtWarning: box.setIcon(QMessageBox::Warning); break;
        case TMsgDlgType::mtError: box.setIcon(QMessageBox::Critical); break;
        case TMsgDlgType::mtInformation: box.setIcon(QMessageBox::Information); break;
        case TMsgDlgType::mtConfirmation: box.setIcon(QMessageBox::Question); break;
        }
        switch (buttons) {
        case TMsgDlgButtons::mbOK: box.setStandardButtons(QMessageBox::Ok); break;
        case TMsgDlgButtons::mbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case TMsgDlgButtons::mbYesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Ok: return mrOk;
        case QMessageBox::Yes: return mrYes;
        case QMessageBox::No: return mrNo;
        default: return mrCancel;
        }
    }
};

QtMessageBoxes g_qt;
IMessageBoxes* g_provider = &g_qt;

} // namespace

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    return g_provider->Show(text, type, buttons);
}

void ShowError(const std::string& text) { MessageDlg(text, TMsgDlgType::mtError, TMsgDlgButtons::mbOK); }

IMessageBoxes* SetMessageBoxes(IMessageBoxes* provider)
{
    IMessageBoxes* old = g_provider;
    g_provider = provider ? provider : &g_qt;
    return old;
}
