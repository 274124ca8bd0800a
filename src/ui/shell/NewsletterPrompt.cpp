#include "ui/shell/NewsletterPrompt.h"

#include "settings/MailingListManager.h"
#include "ui/controls/TextTones.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "vireo/BuildConfig.h"

using namespace std::chrono_literals;

namespace {

constexpr int sheetWidth = 420;
constexpr int margin = 24;
constexpr int spacing = 16;
constexpr auto autoCloseDelay = 3500ms;

// A small spinning wheel that stands in for a button's label while the
// request is in flight.
class BusyIndicator final : public QWidget {
public:
    explicit BusyIndicator(QWidget *parent)
        : QWidget(parent)
    {
        setFixedSize(16, 16);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        m_timer.setInterval(80);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            m_step = (m_step + 1) % ticks;
            update();
        });
    }

protected:
    void showEvent(QShowEvent *) override { m_timer.start(); }
    void hideEvent(QHideEvent *) override { m_timer.stop(); }

    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(width() / 2.0, height() / 2.0);
        const QColor base = palette().color(QPalette::ButtonText);
        for (int i = 0; i < ticks; ++i) {
            QColor color = base;
            color.setAlphaF(0.15 + 0.85 * ((i + ticks - m_step) % ticks) / double(ticks - 1));
            painter.setPen(QPen(color, 2.0, Qt::SolidLine, Qt::RoundCap));
            painter.drawLine(QPointF(0, -3.5), QPointF(0, -7));
            painter.rotate(360.0 / ticks);
        }
    }

private:
    static constexpr int ticks = 8;
    QTimer m_timer;
    int m_step = 0;
};

// The check-mark badge of the thanks; drawn when the icon theme has none.
QIcon successIcon()
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("emblem-ok-symbolic"));
    if (!themed.isNull())
        return themed;

    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0xa0, 0x43));
    painter.drawEllipse(QRectF(2, 2, 60, 60));
    QPainterPath check;
    check.moveTo(18, 33);
    check.lineTo(28, 43);
    check.lineTo(46, 22);
    painter.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(check);
    return QIcon(pixmap);
}

// The default button of each state wears the accent colour.
void makeProminent(QPushButton *button)
{
    // Only while it can be pressed: disabled, it looks like any disabled
    // button instead of a faded accent with white text on it.
    QPalette palette = button->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Button, palette.color(group, QPalette::Highlight));
        palette.setColor(group, QPalette::ButtonText,
                         palette.color(group, QPalette::HighlightedText));
    }
    button->setPalette(palette);
}

QLabel *secondaryLabel(const QString &text, qreal scale, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::PlaceholderText));
    label->setPalette(palette);
    QFont font = label->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    label->setFont(font);
    return label;
}

} // namespace

NewsletterPrompt::NewsletterPrompt(MailingListManager &manager, QWidget *window)
    : QDialog(window)
    , m_manager(manager)
{
    setObjectName(QStringLiteral("newsletterPrompt"));
    setWindowTitle(tr("Newsletter"));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(sheetWidth);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(spacing);

    // Header
    auto *header = new QVBoxLayout;
    header->setSpacing(6);
    auto *title = new QLabel(tr("Stay in the loop"), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    header->addWidget(title);
    auto *pitch = secondaryLabel(tr("Occasional offers, news, and updates about new features.\n"
                                    "No spam — I absolutely promise."),
                                 1.0, this);
    pitch->setWordWrap(true);
    header->addWidget(pitch);
    layout->addLayout(header);

    // The form
    m_form = new QWidget(this);
    auto *form = new QVBoxLayout(m_form);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(8);
    m_email = new QLineEdit(m_form);
    m_email->setObjectName(QStringLiteral("email"));
    m_email->setPlaceholderText(tr("you@example.com"));
    m_email->setClearButtonEnabled(true);
    form->addWidget(m_email);
    m_error = new QLabel(m_form);
    m_error->setObjectName(QStringLiteral("error"));
    m_error->setWordWrap(true);
    TextTones::setErrorText(m_error);
    {
        QFont font = m_error->font();
        font.setPointSizeF(font.pointSizeF() * 0.85);
        m_error->setFont(font);
    }
    m_error->hide();
    form->addWidget(m_error);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    m_decline = new QPushButton(tr("Don't ask again"), m_form);
    m_decline->setObjectName(QStringLiteral("declineButton"));
    m_decline->setFlat(true);
    m_later = new QPushButton(tr("Maybe later"), m_form);
    m_later->setObjectName(QStringLiteral("laterButton"));
    m_subscribe = new QPushButton(tr("Subscribe"), m_form);
    m_subscribe->setObjectName(QStringLiteral("subscribeButton"));
    makeProminent(m_subscribe);
    // Return in the field subscribes; no other button may take the default.
    for (QPushButton *button : {m_decline, m_later})
        button->setAutoDefault(false);
    m_subscribe->setDefault(true);
    // Keeps its width while the spinner replaces the word.
    m_subscribe->setMinimumWidth(m_subscribe->sizeHint().width());
    auto *busyLayout = new QHBoxLayout(m_subscribe);
    busyLayout->setContentsMargins(0, 0, 0, 0);
    m_busy = new BusyIndicator(m_subscribe);
    m_busy->setObjectName(QStringLiteral("busyIndicator"));
    busyLayout->addWidget(m_busy, 0, Qt::AlignCenter);
    m_busy->hide();
    buttons->addWidget(m_decline);
    buttons->addStretch();
    buttons->addWidget(m_later);
    buttons->addWidget(m_subscribe);
    form->addLayout(buttons);
    layout->addWidget(m_form);

    // The thanks
    m_thanks = new QWidget(this);
    auto *thanks = new QVBoxLayout(m_thanks);
    thanks->setContentsMargins(0, 0, 0, 0);
    thanks->setSpacing(8);
    auto *headline = new QHBoxLayout;
    headline->setSpacing(8);
    auto *badge = new QLabel(m_thanks);
    const int badgeSize = fontMetrics().height() + 4;
    badge->setPixmap(successIcon().pixmap(QSize(badgeSize, badgeSize), devicePixelRatioF()));
    auto *welcome = new QLabel(tr("You're in!"), m_thanks);
    QFont headlineFont = welcome->font();
    headlineFont.setBold(true);
    headlineFont.setPointSizeF(headlineFont.pointSizeF() * 1.15);
    welcome->setFont(headlineFont);
    headline->addWidget(badge);
    headline->addWidget(welcome);
    headline->addStretch();
    thanks->addLayout(headline);
    thanks->addWidget(new QLabel(tr("Thanks for subscribing."), m_thanks));
    auto *doneRow = new QHBoxLayout;
    doneRow->addStretch();
    m_done = new QPushButton(tr("Done"), m_thanks);
    m_done->setObjectName(QStringLiteral("doneButton"));
    makeProminent(m_done);
    doneRow->addWidget(m_done);
    thanks->addLayout(doneRow);
    m_thanks->hide();
    layout->addWidget(m_thanks);

    // Footer
    auto *footer = new QHBoxLayout;
    footer->setSpacing(12);
    auto *privacy = secondaryLabel(QString(), 0.85, this);
    privacy->setObjectName(QStringLiteral("privacyLink"));
    privacy->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                         .arg(QUrl(QString::fromUtf8(BuildConfig::privacyUrl))
                                  .toString(QUrl::FullyEncoded)
                                  .toHtmlEscaped(),
                              tr("Privacy policy").toHtmlEscaped()));
    privacy->setTextFormat(Qt::RichText);
    // QDesktopServices opens it in the user's browser.
    privacy->setOpenExternalLinks(true);
    footer->addWidget(privacy);
    footer->addWidget(secondaryLabel(tr("You can unsubscribe any time."), 0.85, this));
    footer->addStretch();
    layout->addLayout(footer);

    connect(m_email, &QLineEdit::textChanged, this, &NewsletterPrompt::updateSubscribeButton);
    connect(m_subscribe, &QPushButton::clicked, this,
            [this] { m_manager.submit(m_email->text()); });
    connect(m_later, &QPushButton::clicked, this, [this] { m_manager.snooze(); });
    connect(m_decline, &QPushButton::clicked, this, [this] { m_manager.decline(); });
    connect(m_done, &QPushButton::clicked, this, [this] { m_manager.dismiss(); });

    m_autoClose.setSingleShot(true);
    m_autoClose.setInterval(autoCloseDelay);
    connect(&m_autoClose, &QTimer::timeout, this, [this] {
        if (m_manager.isPresented())
            m_manager.dismiss();
    });

    connect(&m_manager, &MailingListManager::isPresentedChanged, this,
            &NewsletterPrompt::followPresentation);
    connect(&m_manager, &MailingListManager::statusChanged, this, &NewsletterPrompt::followStatus);

    followStatus();
    if (window) {
        window->installEventFilter(this);
        if (window->isVisible()) {
            m_launchRegistered = true;
            m_manager.registerLaunch(this);
        }
    }
    if (m_manager.isPresented())
        followPresentation();
}

NewsletterPrompt::~NewsletterPrompt() = default;

void NewsletterPrompt::reject()
{
    m_manager.dismiss();
    // A prompt shown without the manager (there is no other way) still closes.
    if (isVisible())
        hide();
}

bool NewsletterPrompt::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_launchRegistered && watched == parent() && event->type() == QEvent::Show) {
        m_launchRegistered = true;
        m_manager.registerLaunch(this);
    }
    return QDialog::eventFilter(watched, event);
}

void NewsletterPrompt::followPresentation()
{
    if (!m_manager.isPresented()) {
        m_autoClose.stop();
        hide();
        return;
    }
    if (isVisible())
        return;
    m_email->clear();
    followStatus();
    show();
    raise();
    activateWindow();
}

void NewsletterPrompt::followStatus()
{
    const SubmitStatus &status = m_manager.status();
    const bool success = status.isSuccess();
    const bool submitting = status.isSubmitting();

    m_form->setVisible(!success);
    m_thanks->setVisible(success);
    if (success) {
        m_done->setDefault(true);
        m_done->setFocus();
        if (isVisible() && !m_autoClose.isActive())
            m_autoClose.start();
    } else {
        m_subscribe->setDefault(true);
        m_email->setEnabled(!submitting);
        m_decline->setEnabled(!submitting);
        m_later->setEnabled(!submitting);
        m_subscribe->setText(submitting ? QString() : tr("Subscribe"));
        m_busy->setVisible(submitting);
        m_error->setText(status.message());
        m_error->setVisible(status.isFailure());
        updateSubscribeButton();
        if (!submitting)
            m_email->setFocus();
    }
    fitHeight();
}

void NewsletterPrompt::updateSubscribeButton()
{
    m_subscribe->setEnabled(!m_manager.status().isSubmitting() && !m_email->text().isEmpty());
}

void NewsletterPrompt::fitHeight()
{
    QLayout *content = layout();
    content->activate();
    const int height = content->hasHeightForWidth() ? content->totalHeightForWidth(sheetWidth)
                                                    : content->totalSizeHint().height();
    setFixedHeight(height);
}
