#include "model/PictureOmissions.h"

#include <algorithm>

namespace {

std::mutex logsMutex;
PictureOmissions* innermost = nullptr;

} // namespace

PictureOmissions::PictureOmissions()
{
    std::lock_guard lock(logsMutex);
    outer_ = innermost;
    innermost = this;
}

PictureOmissions::~PictureOmissions()
{
    std::lock_guard lock(logsMutex);
    innermost = outer_;
}

std::vector<PictureOmissions::Omission> PictureOmissions::omissions() const
{
    std::lock_guard lock(mutex_);
    return omissions_;
}

void PictureOmissions::note(const QString& path, const QString& reason)
{
    std::lock_guard lock(logsMutex);
    if (!innermost)
        return;
    std::lock_guard own(innermost->mutex_);
    auto& noted = innermost->omissions_;
    if (std::none_of(noted.begin(), noted.end(), [&path](const Omission& known) { return known.path == path; }))
        noted.push_back({ path, reason });
}
