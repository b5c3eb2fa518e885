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

void SKTGraphic::takeValuesOf(const SKTGraphic& saved)
{
    SKTGraphicObserver* const observer = observer_;
    SKTDocument* const container = _scriptingContainer;
    *this = saved;
    observer_ = observer;
    _scriptingContainer = container;
    // The saved clone may be taken again by a later undo: it keeps its own text storage.
    if (_Text_contents)
        _Text_contents = std::make_shared<StyledText>(*_Text_contents);
}

void SKTLine::takeValuesOf(const SKTGraphic& saved)
{
    SKTGraphic::takeValuesOf(saved);
    const auto& line = static_cast<const SKTLine&>(saved);
    _pointsRight = line._pointsRight;
    _pointsDown = line._pointsDown;
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

void SKTImage::takeValuesOf(const SKTGraphic& saved)
{
    SKTGraphic::takeValuesOf(saved);
    const auto& image = static_cast<const SKTImage&>(saved);
    std::scoped_lock lock(pictureMutex_, image.pictureMutex_);
    _contents = image._contents;
    _contentsSize = image._contentsSize;
    processed_ = image.processed_;
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

void SKTSignature::takeValuesOf(const SKTGraphic& saved)
{
    SKTGraphic::takeValuesOf(saved);
    const auto& signature = static_cast<const SKTSignature&>(saved);
    std::scoped_lock lock(pictureMutex_, signature.pictureMutex_);
    _contents_img = signature._contents_img;
    file_path = signature.file_path;
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

void SKTBarcode::takeValuesOf(const SKTGraphic& saved)
{
    SKTGraphic::takeValuesOf(saved);
    const auto& barcode = static_cast<const SKTBarcode&>(saved);
    std::scoped_lock lock(contentsMutex_, barcode.contentsMutex_);
    _contents = barcode._contents;
}
