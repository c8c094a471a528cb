#pragma once

#include <QString>

#include <memory>

class QWidget;

// A standard open or save dialog, created once and reused, so that it offers the file
// chosen last time.
class FileDialog
{
public:
    enum class Kind { Open, Save };

    virtual ~FileDialog() = default;

    // Filter in the "Display text|*.ext" form: "Excel files (*.csv)|*.csv".
    void setTitle(const QString &title) { m_title = title; }
    void setFilter(const QString &filter) { m_filter = filter; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    // Added (with its dot) to a name typed without extension.
    void setDefaultExtension(const QString &extension) { m_defaultExtension = extension; }
    QString title() const { return m_title; }
    QString filter() const { return m_filter; }
    int filterIndex() const { return m_filterIndex; }
    QString defaultExtension() const { return m_defaultExtension; }

    // The last file chosen (absolute path), empty before the first choice.
    QString fileName() const { return m_fileName; }

    // Shows the dialog modally; true when the user confirmed, and fileName() is then the choice.
    virtual bool execute(QWidget *parent) = 0;

protected:
    void setFileName(const QString &fileName) { m_fileName = fileName; }

private:
    QString m_title;
    QString m_filter;
    int m_filterIndex = 1;
    QString m_defaultExtension;
    QString m_fileName;
};

// Every box the program shows and every file dialog it creates. The real one shows
// modal windows; the scripted fake answers from a script and records what was shown.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    // Plain message: no icon, one OK button, the application title as caption.
    virtual void message(QWidget *parent, const QString &text) = 0;
    // Confirmation: caption "Confirm", Yes and No; true for Yes.
    virtual bool confirm(QWidget *parent, const QString &text) = 0;
    // The default error box: error icon, one OK button, the application title as caption.
    // The text is shown as given (the caller adds the closing full stop).
    virtual void error(QWidget *parent, const QString &text) = 0;
    virtual std::unique_ptr<FileDialog> createFileDialog(FileDialog::Kind kind) = 0;
};
