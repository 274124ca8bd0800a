#pragma once

#include <QList>
#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QSlider;

// A slider over a few fixed values: a header row with the title on the left
// and the label of the current step on the right, and a slider that moves
// from step to step. A value that is no step (written elsewhere) shows the
// fallback step's position and label until the user moves the slider, which
// always chooses a step.
class DiscreteSlider final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DiscreteSlider)

public:
    // steps must not be empty; labels has one text per step.
    DiscreteSlider(const QString &title, const QList<double> &steps, const QStringList &labels,
                   QWidget *parent = nullptr);

    double value() const { return m_value; }
    // Shows a value held elsewhere; emits nothing.
    void setValue(double value);

    // The first step that equals the value exactly, else the fallback (0 unless set).
    int currentIndex() const;
    void setFallbackIndex(int index);

    // The text on the right: labels[currentIndex()], unless a formatter is
    // set, which is handed the value itself.
    QString currentLabel() const;
    void setValueFormatter(std::function<QString(double)> formatter);

    // The first step equal to value, or fallback when none is.
    static int stepIndex(const QList<double> &steps, double value, int fallback);

Q_SIGNALS:
    // The user moved the slider to a step.
    void valueChanged(double value);

private:
    void showValue();

    QList<double> m_steps;
    QStringList m_labels;
    double m_value = 0;
    int m_fallbackIndex = 0;
    std::function<QString(double)> m_formatter;
    QLabel *m_stepLabel = nullptr;
    QSlider *m_slider = nullptr;
};
