#include "guide/Unit4.h"

#include "guide/glyphbutton.h"
#include "platform/apperror.h"
#include "platform/settingsstore.h"
#include "platform/ui/errorsink.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kClientSize{752, 486};
constexpr int kGlyphMarginPx = 3;
// An edit box keeps its text this close to its edges.
constexpr int kMemoMarginPx = 2;

const QString kStartValue = QString::fromUtf16(kStartValueName);

// The instruction texts line by line; some lines end with a space on purpose.
const QStringList kMemo1Lines = {u"Подключите USB "_s, u"кабель к прибору"_s};
const QStringList kMemo2Lines = {u"Нажмите кнопку"_s, u"\"РЕЖИМ\" для "_s, u"включения "_s, u"прибора."_s};
const QStringList kMemo3Lines = {u"В окне \"Как вы "_s, u"хотитете "_s,         u"использовать "_s,
                                 u"данный диск?\""_s,   u"виберите "_s,         u"вариант \"С "_s,
                                 u"проигрывателем "_s,  u"CD/DVD\""_s,          u"и нажмите "_s,
                                 u"\"Далее\"."_s};
const QStringList kMemo4Lines = {u"Запустите "_s, u"программу "_s, u"\"ЛИРАС-Д7\""_s,
                                 u"В Меню \"Файл\" "_s, u"выберите "_s, u"пункт"_s,
                                 u"\"Открыть "_s, u"архив в "_s, u"приборе\""_s};

// The window's fonts come with Windows; elsewhere Liberation Sans, of similar widths,
// stands in so that the texts keep fitting their boxes.
QFont fontOfPixels(const QString &family, int pixelSize, bool italic)
{
    QFont font;
    font.setFamilies({family, u"Liberation Sans"_s});
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    return font;
}

QPlainTextEdit *createMemo(QWidget *parent, const QString &name, const QRect &geometry, const QStringList &lines)
{
    auto *memo = new QPlainTextEdit(parent);
    memo->setObjectName(name);
    memo->setGeometry(geometry);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setReadOnly(true);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setFont(fontOfPixels(u"Segoe UI"_s, 21, true));
    memo->document()->setDocumentMargin(kMemoMarginPx);
    memo->setPlainText(lines.join(u'\n'));
    return memo;
}

} // namespace

TForm4::TForm4(SettingsStore &settings, QString &StartFlag, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_settings(settings), m_startFlag(StartFlag)
{
    setObjectName(u"Form4"_s);
    // An empty title would make Qt fall back to the application's name; a blank shows nothing.
    setWindowTitle(u" "_s);
    setFixedSize(kClientSize);
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, Qt::white);
    setPalette(windowPalette);
    setAutoFillBackground(true);
    setFont(fontOfPixels(u"Tahoma"_s, 11, false));
    createControls();

    connect(&m_player, &GifPlayer::frameChanged, this,
            [this](const QImage &frame) { Image1->setPixmap(QPixmap::fromImage(frame)); });
    connect(SpeedButton1, &QAbstractButton::clicked, this, [this] { errorsink::guarded([this] { SpeedButton1Click(); }); });
    connect(CheckBox1, &QCheckBox::toggled, this, [this] { errorsink::guarded([this] { CheckBox1Click(); }); });
}

void TForm4::createControls()
{
    // Creation order is stacking order: the pictures and the button lie beneath the
    // check box and the texts.
    Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setGeometry(184, 59, 401, 405);
    Image1->setScaledContents(true);

    Image2 = new QLabel(this);
    Image2->setObjectName(u"Image2"_s);
    Image2->setGeometry(24, 0, 265, 57);
    Image2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image2->setPixmap(QPixmap(u":/assets/logo.jpg"_s));

    SpeedButton1 = new GlyphButton(chevronGlyph(), kGlyphMarginPx, this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setGeometry(648, 417, 95, 32);
    SpeedButton1->setText(u"Дальше"_s);

    CheckBox1 = new QCheckBox(u"Больше не показывать"_s, this);
    CheckBox1->setObjectName(u"CheckBox1"_s);
    CheckBox1->setGeometry(606, 461, 137, 17);
    CheckBox1->setLayoutDirection(Qt::RightToLeft); // the text left of the box

    Memo1 = createMemo(this, u"Memo1"_s, {72, 80, 185, 89}, kMemo1Lines);
    Memo2 = createMemo(this, u"Memo2"_s, {72, 88, 185, 121}, kMemo2Lines);
    Memo3 = createMemo(this, u"Memo3"_s, {8, 80, 185, 305}, kMemo3Lines);
    Memo4 = createMemo(this, u"Memo4"_s, {8, 80, 170, 305}, kMemo4Lines);
    Memo2->hide();
    Memo3->hide();
    Memo4->hide();

    setTabOrder(CheckBox1, Memo1);
    setTabOrder(Memo1, Memo2);
    setTabOrder(Memo2, Memo3);
    setTabOrder(Memo3, Memo4);
}

void TForm4::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window system's own show (restoring) is no new showing of the guide.
    if (event->spontaneous())
        return;
    if (const QScreen *onScreen = screen())
        move(onScreen->geometry().center() - rect().center());
    errorsink::guarded([this] { FormShow(); });
}

void TForm4::FormShow()
{
    SpeedButton1->setText(u"Далее"_s);
    Memo1->show();
    Memo2->hide();
    Memo3->hide();
    Memo4->hide();
    m_guideStep = 0;
    showAnimation(u"conn.gmm"_s);
}

void TForm4::SpeedButton1Click()
{
    // Texts and step change before the picture loads, so a missing picture still moves
    // the guide on; the closing caption comes only after a picture that loaded.
    switch (m_guideStep) {
    case 0:
        Memo1->hide();
        Memo2->show();
        m_guideStep = 1;
        showAnimation(u"power.gmm"_s);
        break;
    case 1:
        Memo2->hide();
        Memo3->hide();
        Memo4->show();
        m_guideStep = 2;
        showAnimation(u"open.gmm"_s);
        SpeedButton1->setText(u"Закрыть"_s);
        break;
    default:
        close();
        break;
    }
}

void TForm4::CheckBox1Click()
{
    // Ticking switches the guide off; unticking never switches it back on.
    if (!CheckBox1->isChecked())
        return;
    m_startFlag = u"2"_s;
    // The key is opened, never created: without the program's own value there is nothing to
    // switch off, and the next start writes its first value itself.
    const std::unique_ptr<SettingsKey> key = m_settings.openKey(QString::fromUtf16(kProgramSettingsKey));
    if (!key || !key->hasValue(kStartValue))
        return;
    if (!key->writeString(kStartValue, u"2"_s))
        throw AppError(u"Cannot write the registry value \"Start\""_s);
}

void TForm4::showAnimation(const QString &fileName)
{
    m_player.play(GifAnimation::fromFile(fileName));
}
