#pragma once

#include <QString>

class QWidget;

// Opens a document with the desktop's default viewer. The result is not reported.
class Shell
{
public:
    virtual ~Shell() = default;
    // A relative name resolves against the current directory.
    virtual void openDocument(const QString &fileName, QWidget *parent) = 0;
};
