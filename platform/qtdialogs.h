#pragma once

#include "platform/dialogs.h"

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
    explicit QtFileDialog(Kind kind) : m_kind(kind) {}

    bool execute(QWidget *parent) override;

    // Applies kind, title, filter, default extension and the last choice to a dialog.
    void prepare(QFileDialog &dialog) const;

private:
    Kind m_kind;
};
