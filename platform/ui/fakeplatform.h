#pragma once

// Scripted stand-ins for the window side of the platform layer, for tests: nothing here opens
// a window or touches the real system. Linked through the liras_platform_ui_fake target.

#include "platform/fakesystem.h"
#include "platform/ui/dialogs.h"
#include "platform/ui/platform.h"
#include "platform/ui/shell.h"

#include <QQueue>
#include <QStringList>

// Records every document it is asked to open; those named in unopenable have no viewer.
class FakeShell final : public Shell
{
public:
    QStringList opened;
    QStringList unopenable;
    bool openDocument(const QString &fileName, QWidget *) override
    {
        opened.append(fileName);
        return !unopenable.contains(fileName);
    }
};

// Answers from scripts, in order. A dialog with no scripted answer left is cancelled and a
// confirmation with none left is answered No, so a test never blocks.
class FakeDialogs final : public Dialogs
{
public:
    struct Shown
    {
        enum class Kind { Message, Confirm, Error, FileDialog } kind;
        QString text; // the message, or the file dialog's title
        const QWidget *parent = nullptr; // the window it was shown over; only to compare
    };

    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    std::unique_ptr<FileDialog> createFileDialog(FileDialog::Kind kind) override;

    // Each scripted file answer is a path, or an empty string to cancel. A path without an
    // extension gets the dialog's default extension, as the real dialog adds it.
    QQueue<QString> fileAnswers;
    QQueue<bool> confirmAnswers;
    QList<Shown> shown;

    QStringList texts(Shown::Kind kind) const;
    QStringList messages() const { return texts(Shown::Kind::Message); }
    QStringList confirmations() const { return texts(Shown::Kind::Confirm); }
    QStringList errors() const { return texts(Shown::Kind::Error); }
};

// A whole platform of fakes: the core's of FakeSystem, with scripted boxes and shell.
class FakePlatform : public FakeSystem
{
public:
    using FakeSystem::FakeSystem;

    FakeShell shell;
    FakeDialogs dialogs;
    Platform platform();
};
