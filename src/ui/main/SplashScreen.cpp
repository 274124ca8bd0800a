#include "ui/main/SplashScreen.h"

#include "ui/main/AnimatedOrb.h"
#include "ui/main/FileDrop.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int logoSize = 120;
constexpr int cardRadius = 22;

QColor mix(const QColor &from, const QColor &to, qreal amount)
{
    return QColor::fromRgbF(from.redF() + (to.redF() - from.redF()) * amount,
                            from.greenF() + (to.greenF() - from.greenF()) * amount,
                            from.blueF() + (to.blueF() - from.blueF()) * amount,
                            from.alphaF() + (to.alphaF() - from.alphaF()) * amount);
}

bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

// Where each orb rests (as a fraction of the screen), how far it drifts, its
// size, the turn of its hue away from the accent, and where its swing starts.
struct OrbPlace {
    QPointF centre;
    QPointF offset;
    int size;
    int hueTurn;
    qreal phase;
};

constexpr OrbPlace orbPlaces[] = {
    {{0.22, 0.28}, {90, 60}, 460, 0, 0.0},
    {{0.80, 0.74}, {-100, -50}, 420, 40, 0.45},
    {{0.76, 0.18}, {-60, 80}, 320, -35, 0.7},
    {{0.18, 0.84}, {80, -70}, 300, 20, 0.2},
};

QColor orbColour(const QPalette &palette, int hueTurn)
{
    const QColor accent = palette.color(QPalette::Highlight).toHsv();
    const int hue = ((accent.hsvHue() < 0 ? 210 : accent.hsvHue()) + hueTurn + 360) % 360;
    QColor colour = QColor::fromHsv(hue, std::min(255, accent.hsvSaturation() + 30),
                                    std::max(160, accent.value()));
    colour.setAlphaF(isDark(palette) ? 0.42 : 0.34);
    return colour;
}

// The program's own icon when the desktop gave it one; otherwise the mark
// drawn here: a bird's wing stroke on an accent-coloured tile.
QPixmap logoPixmap(const QPalette &palette, qreal ratio)
{
    const QIcon appIcon = QApplication::windowIcon();
    if (!appIcon.isNull())
        return appIcon.pixmap(QSize(logoSize, logoSize), ratio);

    QPixmap pixmap(QSize(logoSize, logoSize) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(6, 6, logoSize - 12, logoSize - 12);
    const QColor accent = palette.color(QPalette::Highlight);
    QLinearGradient fill(tile.topLeft(), tile.bottomRight());
    fill.setColorAt(0, accent.lighter(135));
    fill.setColorAt(1, accent.darker(125));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawRoundedRect(tile, 26, 26);

    QPainterPath wing;
    wing.moveTo(32, 44);
    wing.quadTo(48, 50, 58, 80);
    wing.quadTo(68, 50, 92, 36);
    painter.setPen(QPen(Qt::white, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(wing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(84, 56), 5, 5);
    return pixmap;
}

// The translucent card in the middle; tinted with the accent while files
// hover over the splash.
class DropCard final : public QWidget {
public:
    using QWidget::QWidget;

    void setHighlight(qreal highlight)
    {
        m_highlight = highlight;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QPalette &colours = palette();
        const qreal amount = std::clamp(m_highlight, 0.0, 1.0);
        const QColor accent = colours.color(QPalette::Highlight);
        QColor fill = colours.color(QPalette::Window);
        fill = mix(fill, isDark(colours) ? fill.lighter(120) : QColor(Qt::white), 0.5);
        fill.setAlphaF(0.72);
        QColor tint = accent;
        tint.setAlphaF(0.8);
        fill = mix(fill, tint, 0.16 * amount);
        QColor border = colours.color(QPalette::WindowText);
        border.setAlphaF(0.10);
        border = mix(border, accent, amount);
        // The spring may overshoot: the border breathes a little wider.
        const qreal width = 1.0 + 1.5 * std::max(0.0, m_highlight);
        const QRectF frame = QRectF(rect()).adjusted(width / 2, width / 2, -width / 2, -width / 2);
        painter.setPen(QPen(border, width));
        painter.setBrush(fill);
        painter.drawRoundedRect(frame, cardRadius, cardRadius);
    }

private:
    qreal m_highlight = 0;
};

// A small spinning wheel of ticks that turns while it is shown.
class BusySpinner final : public QWidget {
public:
    explicit BusySpinner(QWidget *parent)
        : QWidget(parent)
    {
        setFixedSize(28, 28);
        m_timer.setInterval(80);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            m_step = (m_step + 1) % ticks;
            update();
        });
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(width() / 2.0, height() / 2.0);
        const qreal radius = width() / 2.0;
        QColor colour = palette().color(QPalette::WindowText);
        for (int tick = 0; tick < ticks; ++tick) {
            // The newest tick is darkest; older ones fade out behind it.
            const int age = (m_step - tick + ticks) % ticks;
            colour.setAlphaF(0.85 - 0.65 * age / (ticks - 1));
            painter.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(0, -radius * 0.45), QPointF(0, -radius + 1.5));
            painter.rotate(360.0 / ticks);
        }
    }
    void showEvent(QShowEvent *) override { m_timer.start(); }
    void hideEvent(QHideEvent *) override { m_timer.stop(); }

private:
    static constexpr int ticks = 12;
    QTimer m_timer;
    int m_step = 0;
};

} // namespace

SplashScreen::SplashScreen(QWidget *parent)
    : QWidget(parent)
    , m_card(new DropCard(this))
    , m_pages(new QStackedWidget(m_card))
    , m_readyPage(new QWidget(m_pages))
    , m_importingPage(new QWidget(m_pages))
    , m_logo(new QLabel(m_readyPage))
    , m_chooseButton(new QPushButton(tr("Choose Files…"), m_readyPage))
    , m_folderButton(new QPushButton(tr("Choose Folder…"), m_readyPage))
{
    setObjectName(QStringLiteral("splashScreen"));
    auto *drop = new FileDrop(this);
    connect(drop, &FileDrop::targetedChanged, this, &SplashScreen::setTargeted);
    connect(drop, &FileDrop::filesDropped, this, &SplashScreen::filesDropped);

    for (const OrbPlace &place : orbPlaces) {
        auto *orb = new AnimatedOrb(orbColour(palette(), place.hueTurn), place.size, place.offset,
                                    place.phase, this);
        m_orbs.append(orb);
    }
    m_card->raise();
    m_card->setObjectName(QStringLiteral("dropCard"));

    m_logo->setObjectName(QStringLiteral("logo"));
    m_logo->setFixedSize(logoSize, logoSize);
    m_logo->setPixmap(logoPixmap(palette(), devicePixelRatioF()));

    auto *headline = new QLabel(tr("Drop media here"), m_readyPage);
    headline->setObjectName(QStringLiteral("headline"));
    QFont headlineFont = headline->font();
    headlineFont.setPointSizeF(headlineFont.pointSizeF() * 1.7);
    headlineFont.setWeight(QFont::DemiBold);
    headline->setFont(headlineFont);

    auto *groups = new QLabel(tr("Audio · Video · Images · Subtitles"), m_readyPage);
    groups->setObjectName(QStringLiteral("groupsLine"));
    QFont groupsFont = groups->font();
    groupsFont.setWeight(QFont::Medium);
    groupsFont.setLetterSpacing(QFont::AbsoluteSpacing, 0.8);
    groups->setFont(groupsFont);
    groups->setForegroundRole(QPalette::PlaceholderText);

    m_chooseButton->setObjectName(QStringLiteral("chooseFilesButton"));
    m_chooseButton->setDefault(true);
    m_chooseButton->setCursor(Qt::PointingHandCursor);
    QFont buttonFont = m_chooseButton->font();
    buttonFont.setWeight(QFont::Medium);
    m_chooseButton->setFont(buttonFont);
    connect(m_chooseButton, &QPushButton::clicked, this, &SplashScreen::chooseFilesRequested);
    m_folderButton->setObjectName(QStringLiteral("chooseFolderButton"));
    m_folderButton->setCursor(Qt::PointingHandCursor);
    m_folderButton->setFlat(true);
    connect(m_folderButton, &QPushButton::clicked, this, &SplashScreen::chooseFolderRequested);
    styleButton();

    auto *ready = new QVBoxLayout(m_readyPage);
    ready->setContentsMargins(0, 0, 0, 0);
    ready->setSpacing(10);
    ready->addWidget(m_logo, 0, Qt::AlignHCenter);
    ready->addSpacing(6);
    ready->addWidget(headline, 0, Qt::AlignHCenter);
    ready->addWidget(groups, 0, Qt::AlignHCenter);
    ready->addSpacing(12);
    ready->addWidget(m_chooseButton, 0, Qt::AlignHCenter);
    ready->addWidget(m_folderButton, 0, Qt::AlignHCenter);

    auto *spinner = new BusySpinner(m_importingPage);
    spinner->setObjectName(QStringLiteral("importProgress"));
    auto *importing = new QLabel(tr("Importing…"), m_importingPage);
    importing->setObjectName(QStringLiteral("importingLabel"));
    QFont importingFont = importing->font();
    importingFont.setWeight(QFont::Medium);
    importing->setFont(importingFont);
    importing->setForegroundRole(QPalette::PlaceholderText);
    auto *busy = new QVBoxLayout(m_importingPage);
    busy->setContentsMargins(0, 0, 0, 0);
    busy->setSpacing(12);
    busy->addStretch();
    busy->addWidget(spinner, 0, Qt::AlignHCenter);
    busy->addWidget(importing, 0, Qt::AlignHCenter);
    busy->addStretch();

    m_pages->addWidget(m_readyPage);
    m_pages->addWidget(m_importingPage);
    auto *cardLayout = new QVBoxLayout(m_card);
    cardLayout->setContentsMargins(48, 36, 48, 36);
    cardLayout->addWidget(m_pages);
    m_card->adjustSize();

    // A spring: quick, with a little overshoot.
    m_targetAnimation.setDuration(350);
    QEasingCurve spring(QEasingCurve::OutBack);
    spring.setOvershoot(1.2);
    m_targetAnimation.setEasingCurve(spring);
    connect(&m_targetAnimation, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) {
                static_cast<DropCard *>(m_card)->setHighlight(value.toReal());
            });

    colourOrbs();
}

void SplashScreen::setImporting(bool importing)
{
    if (m_importing == importing)
        return;
    m_importing = importing;
    QWidget *page = importing ? m_importingPage : m_readyPage;
    m_pages->setCurrentWidget(page);
    fadeIn(page);
}

void SplashScreen::fadeIn(QWidget *page)
{
    if (!isVisible())
        return;
    auto *effect = new QGraphicsOpacityEffect(page);
    effect->setOpacity(0);
    page->setGraphicsEffect(effect);
    auto *fade = new QPropertyAnimation(effect, "opacity", effect);
    fade->setDuration(180);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    // The effect renders the page off screen; it goes once the fade is done.
    connect(fade, &QPropertyAnimation::finished, page, [page, effect] {
        if (page->graphicsEffect() == effect)
            page->setGraphicsEffect(nullptr);
    });
    fade->start();
}

void SplashScreen::setTargeted(bool targeted)
{
    if (m_targeted == targeted)
        return;
    m_targeted = targeted;
    const qreal from = m_targetAnimation.state() == QAbstractAnimation::Running
        ? m_targetAnimation.currentValue().toReal()
        : (targeted ? 0.0 : 1.0);
    m_targetAnimation.stop();
    m_targetAnimation.setStartValue(from);
    m_targetAnimation.setEndValue(targeted ? 1.0 : 0.0);
    m_targetAnimation.start();
}

void SplashScreen::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const QSize card = m_card->sizeHint().expandedTo(QSize(360, 0));
    m_card->setGeometry(
        QRect(QPoint((width() - card.width()) / 2, (height() - card.height()) / 2), card));
    placeOrbs();
}

void SplashScreen::paintEvent(QPaintEvent *)
{
    // A faint wash of the accent under the orbs.
    QPainter painter(this);
    const QColor window = palette().color(QPalette::Window);
    QLinearGradient wash(0, 0, 0, height());
    wash.setColorAt(0, window);
    wash.setColorAt(1, mix(window, palette().color(QPalette::Highlight), 0.06));
    painter.fillRect(rect(), wash);
}

void SplashScreen::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        colourOrbs();
        styleButton();
        m_logo->setPixmap(logoPixmap(palette(), devicePixelRatioF()));
    }
}

void SplashScreen::styleButton()
{
    // The one prominent action of the screen, filled with the accent.
    const QColor accent = palette().color(QPalette::Highlight);
    const QColor text = palette().color(QPalette::HighlightedText);
    m_chooseButton->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: none;"
                       " border-radius: 7px; padding: 6px 22px; }"
                       "QPushButton:hover { background: %3; }"
                       "QPushButton:pressed { background: %4; }"
                       "QPushButton:focus { outline: none; }")
            .arg(accent.name(), text.name(), accent.lighter(110).name(),
                 accent.darker(115).name()));
}

void SplashScreen::placeOrbs()
{
    for (qsizetype i = 0; i < m_orbs.size(); ++i) {
        const QPointF centre = orbPlaces[i].centre;
        m_orbs.at(i)->setCentre(QPointF(centre.x() * width(), centre.y() * height()));
    }
}

void SplashScreen::colourOrbs()
{
    for (qsizetype i = 0; i < m_orbs.size(); ++i)
        m_orbs.at(i)->setColor(orbColour(palette(), orbPlaces[i].hueTurn));
}
