// The real shell against a desktop made for the test: its own folders of applications and of
// default applications, and no desktop session, so xdg-utils answer as on a plain X session.
// What the shell hands to Qt to open is recorded, never opened.
#include "platform/ui/os/shell_linux.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

class TestDesktop
{
public:
    TestDesktop()
    {
        const QString root = m_root.path();
        for (const QString &folder : {u"home"_s, u"config"_s, u"data/applications"_s, u"system"_s})
            QDir(root).mkpath(folder);
        // The system's MIME database stays visible, its applications do not. Qt keeps to the
        // database it found first, so this desktop lives as long as the test.
        QFile::link(u"/usr/share/mime"_s, root + u"/system/mime"_s);
        setVariable("HOME", root + u"/home"_s);
        setVariable("XDG_CONFIG_HOME", root + u"/config"_s);
        setVariable("XDG_CONFIG_DIRS", root + u"/config"_s);
        setVariable("XDG_DATA_HOME", root + u"/data"_s);
        setVariable("XDG_DATA_DIRS", root + u"/system"_s);
        for (const char *name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "DBUS_SESSION_BUS_ADDRESS"})
            setVariable(name, std::nullopt);
    }

    ~TestDesktop()
    {
        for (auto it = m_saved.crbegin(); it != m_saved.crend(); ++it) {
            if (it->second)
                qputenv(it->first, *it->second);
            else
                qunsetenv(it->first);
        }
    }

    bool isValid() const { return m_root.isValid(); }

    // Makes a viewer the default application for the type; an empty type: no viewer at all.
    void registerViewer(const QString &mimeType)
    {
        const QString entry = m_root.filePath(u"data/applications/liras-test-viewer.desktop"_s);
        const QString defaults = m_root.filePath(u"config/mimeapps.list"_s);
        QFile::remove(entry);
        QFile::remove(defaults);
        if (mimeType.isEmpty())
            return;
        write(entry, "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\nMimeType="
                         + mimeType.toUtf8() + ";\n");
        write(defaults, "[Default Applications]\n" + mimeType.toUtf8() + "=liras-test-viewer.desktop\n");
    }

private:
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    void setVariable(const char *name, const std::optional<QString> &value)
    {
        m_saved.append({name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                              : std::nullopt});
        if (value)
            qputenv(name, QFile::encodeName(*value));
        else
            qunsetenv(name);
    }

    QTemporaryDir m_root;
    QList<std::pair<const char *, std::optional<QByteArray>>> m_saved;
};

// Stands in for the desktop's URL handler.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace

class TestLinuxShell : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void openDocument_data();
    void openDocument();

private:
    TestDesktop m_desktop;
    UrlRecorder m_recorder;
};

void TestLinuxShell::initTestCase()
{
    QVERIFY(m_desktop.isValid());
    QDesktopServices::setUrlHandler(u"file"_s, &m_recorder, "open");
}

void TestLinuxShell::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(u"file"_s);
}

void TestLinuxShell::openDocument_data()
{
    QTest::addColumn<QString>("viewerType"); // none: no viewer at all
    QTest::addColumn<QString>("document");
    QTest::addColumn<QByteArray>("content"); // empty: no such file
    QTest::addColumn<bool>("opened");

    const QByteArray page = "<html><body>Справка</body></html>\n";
    // The start of a compiled help file, by which its type is known.
    const QByteArray compiled("ITSF\x03\0\0\0\x60\0\0\0\x01\0\0\0", 16);
    QTest::newRow("viewer for its type") << u"text/html"_s << u"справка.html"_s << page << true;
    QTest::newRow("viewer under the type's other name")
        << u"application/x-chm"_s << u"лирас.chm"_s << compiled << true;
    QTest::newRow("no viewer at all") << QString() << u"справка.html"_s << page << false;
    QTest::newRow("viewer for another type")
        << u"application/pdf"_s << u"справка.html"_s << page << false;
    QTest::newRow("document missing") << u"text/html"_s << u"справка.html"_s << QByteArray() << false;
}

void TestLinuxShell::openDocument()
{
    QFETCH(QString, viewerType);
    QFETCH(QString, document);
    QFETCH(QByteArray, content);
    QFETCH(bool, opened);

    m_desktop.registerViewer(viewerType);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    if (!content.isEmpty()) {
        QFile file(work.filePath(document));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const QString before = QDir::currentPath();
    QVERIFY(QDir::setCurrent(work.path()));
    m_recorder.urls.clear();
    LinuxShell shell;
    const bool result = shell.openDocument(document, nullptr);
    QDir::setCurrent(before);

    QCOMPARE(result, opened);
    // The viewer runs in a folder of its own, so it is given the full name.
    const QList<QUrl> expected{QUrl::fromLocalFile(work.filePath(document))};
    QCOMPARE(m_recorder.urls, opened ? expected : QList<QUrl>{});
}

QTEST_MAIN(TestLinuxShell)
#include "tst_linuxshell.moc"
