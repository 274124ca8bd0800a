#include "ui/settings/VideoQualityBlock.h"

#include "settings/Preferences.h"
#include "ui/settings/PreferenceControls.h"
#include "ui/settings/QualityLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace PreferenceControls;

namespace {

constexpr int lowestQuality = 16;
constexpr int highestQuality = 32;

} // namespace

VideoQualityBlock::VideoQualityBlock(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_qualityLabel(new QLabel)
    , m_slider(new QSlider(Qt::Horizontal))
{
    m_qualityLabel->setObjectName(QStringLiteral("qualityLabel"));
    setCaptionStyle(m_qualityLabel, Tone::secondary);
    auto *titleLabel = new QLabel(title);
    titleLabel->setBuddy(m_slider);
    auto *header = new QHBoxLayout;
    header->addWidget(titleLabel);
    header->addStretch();
    header->addWidget(m_qualityLabel);

    m_slider->setRange(lowestQuality, highestQuality);
    m_slider->setSingleStep(1);
    m_slider->setPageStep(1);
    m_slider->setAccessibleName(title);

    auto *caption = new QLabel(tr("Lower value = higher quality, larger file"));
    caption->setWordWrap(true);
    setCaptionStyle(caption, Tone::tertiary, CaptionSize::small);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addLayout(header);
    layout->addWidget(m_slider);
    layout->addWidget(caption);

    follow(this, PreferenceKeys::videoQuality.name, [this] { showStoredValue(); });
    connect(m_slider, &QSlider::valueChanged, this, [](int quality) {
        Preferences::instance().setValue(PreferenceKeys::videoQuality, double(quality));
    });
}

void VideoQualityBlock::showStoredValue()
{
    // The word follows the stored value, which a preset or a hand edit may
    // have left between or beyond the slider's positions.
    const double quality = Preferences::instance().value(PreferenceKeys::videoQuality);
    m_qualityLabel->setText(qualityLabel(quality));
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(
        int(std::clamp(std::round(quality), double(lowestQuality), double(highestQuality))));
    m_slider->setToolTip(QString::number(quality));
}
