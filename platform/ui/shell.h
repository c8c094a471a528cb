#pragma once

#include <QString>

class QWidget;

// Opens a document with the desktop's default viewer.
class Shell
{
public:
    virtual ~Shell() = default;
    // True when the system handed the document to a viewer; false when the document is
    // missing or nothing on this system opens documents of its type. A relative name
    // resolves against the current directory.
    virtual bool openDocument(const QString &fileName, QWidget *parent) = 0;
};
