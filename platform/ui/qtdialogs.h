#pragma once

#include "platform/ui/dialogs.h"

#include <functional>
#include <memory>

class QFileDialog;
class QMessageBox;

// The real boxes and file dialogs, as Qt widgets (the same on every system).
class QtDialogs final : public Dialogs
{
public:
    enum class BoxKind { Message, Confirm, Error };

    void message(QWidget *parent, const QString &text) override;
    bool confirm(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    std::unique_ptr<FileDialog> createFileDialog(FileDialog::Kind kind) override;

    // The box of that kind, set up but not shown: caption, icon, buttons, default button.
    static std::unique_ptr<QMessageBox> createBox(BoxKind kind, QWidget *parent,
                                                  const QString &text);
};

// A QFileDialog made afresh for every showing from the settings it keeps.
class QtFileDialog final : public FileDialog
{
public:
    // Runs the prepared dialog and returns its result code; exec() unless a test plays
    // the user.
    using Runner = std::function<int(QFileDialog &)>;

    explicit QtFileDialog(Kind kind, Runner runner = {});

    bool execute(QWidget *parent) override;

    // Applies kind, title, filter, default extension and the folder to a dialog: the last
    // choice's, or before any choice the user's documents (home where there is none).
    void prepare(QFileDialog &dialog) const;

private:
    Kind m_kind;
    Runner m_runner;
};
