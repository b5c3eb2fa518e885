#include "model/SKTBarcode.h"
#include "model/SKTImage.h"
#include "model/SKTLine.h"
#include "model/SKTSignature.h"
#include "model/SKTText.h"
#include "model/Shape_Control.h"

void SKTGraphic::detachClone()
{
    observer_ = nullptr;
    _scriptingContainer = nullptr;
    if (_Text_contents)
        _Text_contents = std::make_shared<StyledText>(*_Text_contents);
}

std::shared_ptr<SKTGraphic> SKTGraphic::clone() const
{
    return cloneOf(*this);
}

std::shared_ptr<SKTGraphic> Shape_Control::clone() const
{
    return cloneOf(*this);
}

std::shared_ptr<SKTGraphic> SKTLine::clone() const
{
    return cloneOf(*this);
}

std::shared_ptr<SKTGraphic> SKTText::clone() const
{
    return cloneOf(*this);
}

SKTImage::SKTImage(const SKTImage& other)
    : SKTGraphic(other)
{
    std::lock_guard lock(other.pictureMutex_);
    _contents = other._contents;
    _contentsSize = other._contentsSize;
    processed_ = other.processed_;
}

std::shared_ptr<SKTGraphic> SKTImage::clone() const
{
    return cloneOf(*this);
}

SKTSignature::SKTSignature(const SKTSignature& other)
    : SKTGraphic(other)
{
    std::lock_guard lock(other.pictureMutex_);
    _contents_img = other._contents_img;
    file_path = other.file_path;
}

std::shared_ptr<SKTGraphic> SKTSignature::clone() const
{
    return cloneOf(*this);
}

SKTBarcode::SKTBarcode(const SKTBarcode& other)
    : SKTGraphic(other)
{
    std::lock_guard lock(other.contentsMutex_);
    _contents = other._contents;
}

std::shared_ptr<SKTGraphic> SKTBarcode::clone() const
{
    return cloneOf(*this);
}
