#include "inspector/EffectSlider.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cmath>

EffectSlider::EffectSlider(double minimum, double maximum, int scale, QWidget* parent)
    : QWidget(parent)
    , slider(new QSlider(Qt::Horizontal))
    , valueField(new QLabel)
    , scale_(scale)
    , decimals_(scale >= 100 ? 2
              : scale >= 10  ? 1
                             : 0)
{
    slider->setRange(int(std::lround(minimum * scale)), int(std::lround(maximum * scale)));
    slider->setPageStep(std::max(1, (slider->maximum() - slider->minimum()) / 10));
    valueField->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // One width for every slider's value, so the sliders line up and do not jump.
    valueField->setMinimumWidth(valueField->fontMetrics().horizontalAdvance(QStringLiteral("-000.00")));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider, 1);
    layout->addWidget(valueField);
    connect(slider, &QSlider::valueChanged, this, [this] {
        showValue();
        emit changed(value());
    });
    showValue();
}

double EffectSlider::value() const
{
    return double(slider->value()) / scale_;
}

void EffectSlider::setValue(double value)
{
    const QSignalBlocker block(slider);
    slider->setValue(std::isnan(value)
            ? slider->minimum()
            : int(std::lround(std::clamp(value * scale_, double(slider->minimum()), double(slider->maximum())))));
    showValue();
}

void EffectSlider::showValue()
{
    valueField->setText(QString::number(value(), 'f', decimals_));
}
