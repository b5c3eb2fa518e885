#include "model/ModelHooks.h"

#include "common/Logging.h"

#include <atomic>
#include <exception>
#include <mutex>

namespace {

struct Hooks
{
    std::mutex mutex;
    ModelHooks::Action refreshCanvas;
    ModelHooks::Action resetImageEditingControls;
    ModelHooks::ImageEffects imageEffects;
    std::atomic<quint64> imageEffectsGeneration{0};
};

Hooks& hooks()
{
    static Hooks instance;
    return instance;
}

// Copies a hook under the lock, so that it runs without holding it.
template<class Function>
Function current(Function Hooks::*member)
{
    std::lock_guard lock(hooks().mutex);
    return hooks().*member;
}

} // namespace

void ModelHooks::setRefreshCanvas(Action action)
{
    std::lock_guard lock(hooks().mutex);
    hooks().refreshCanvas = std::move(action);
}

void ModelHooks::setResetImageEditingControls(Action action)
{
    std::lock_guard lock(hooks().mutex);
    hooks().resetImageEditingControls = std::move(action);
}

void ModelHooks::setImageEffects(ImageEffects effects)
{
    std::lock_guard lock(hooks().mutex);
    hooks().imageEffects = std::move(effects);
    ++hooks().imageEffectsGeneration;
}

quint64 ModelHooks::imageEffectsGeneration()
{
    return hooks().imageEffectsGeneration.load();
}

void ModelHooks::Refresh_Canvas()
{
    if (const Action action = current(&Hooks::refreshCanvas))
        action();
}

void ModelHooks::Reset_Image_Editing_Controls()
{
    if (const Action action = current(&Hooks::resetImageEditingControls))
        action();
}

QImage ModelHooks::applyImageEffects(const QImage& picture, const SKTGraphic& object)
{
    const ImageEffects effects = current(&Hooks::imageEffects);
    if (!effects)
        return picture;
    try {
        return effects(picture, object);
    } catch (const std::exception& error) {
        Show_NSLog_Message(QStringLiteral("Image effects failed: %1").arg(QString::fromUtf8(error.what())));
    } catch (...) {
        Show_NSLog_Message(QStringLiteral("Image effects failed"));
    }
    return {};
}
