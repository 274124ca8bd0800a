#pragma once

#include <QWidget>

class QLabel;
class QSlider;

// The video quality control, bound to the "video quality" preference: a
// title with the quality word of the current value, a slider from 16 to 32
// and a caption saying which way is better.
class VideoQualityBlock final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(VideoQualityBlock)

public:
    explicit VideoQualityBlock(const QString &title, QWidget *parent = nullptr);

private:
    void showStoredValue();

    QLabel *m_qualityLabel = nullptr;
    QSlider *m_slider = nullptr;
};
