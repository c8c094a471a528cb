#include "platform/ui/fakeplatform.h"

#include <QDir>
#include <QFileInfo>

namespace {

class FakeFileDialog final : public FileDialog
{
public:
    explicit FakeFileDialog(FakeDialogs &owner) : m_owner(owner) {}

    bool execute(QWidget *parent) override
    {
        m_owner.shown.append({FakeDialogs::Shown::Kind::FileDialog, title(), parent});
        if (m_owner.fileAnswers.isEmpty())
            return false;
        QString answer = m_owner.fileAnswers.dequeue();
        if (answer.isEmpty())
            return false;
        QString extension = defaultExtension();
        if (extension.startsWith(u'.'))
            extension.remove(0, 1);
        if (QFileInfo(answer).suffix().isEmpty() && !extension.isEmpty())
            answer += u'.' + extension;
        setFileName(QDir::cleanPath(QFileInfo(answer).absoluteFilePath()));
        return true;
    }

private:
    FakeDialogs &m_owner;
};

} // namespace

void FakeDialogs::message(QWidget *parent, const QString &text)
{
    shown.append({Shown::Kind::Message, text, parent});
}

bool FakeDialogs::confirm(QWidget *parent, const QString &text)
{
    shown.append({Shown::Kind::Confirm, text, parent});
    return !confirmAnswers.isEmpty() && confirmAnswers.dequeue();
}

void FakeDialogs::error(QWidget *parent, const QString &text)
{
    shown.append({Shown::Kind::Error, text, parent});
}

std::unique_ptr<FileDialog> FakeDialogs::createFileDialog(FileDialog::Kind)
{
    return std::make_unique<FakeFileDialog>(*this);
}

QStringList FakeDialogs::texts(Shown::Kind kind) const
{
    QStringList result;
    for (const Shown &entry : shown) {
        if (entry.kind == kind)
            result.append(entry.text);
    }
    return result;
}

Platform FakePlatform::platform()
{
    return Platform{settings, drives, *ansi, shell, dialogs, regional};
}
