#include "media/gststartup.h"

#include <QCoreApplication>
#include <QThread>

#include <gst/gst.h>

#include <chrono>
#include <future>
#include <mutex>

namespace {

std::once_flag g_initialised;
std::mutex g_startMutex;
std::shared_future<void> g_background;

void initialise() {
    std::call_once(g_initialised, [] {
        gst_init(nullptr, nullptr);
        // Without a display this sink can take the whole process down; it is never what we want.
        if (GstPluginFeature* feature = gst_registry_lookup_feature(gst_registry_get(), "dfbvideosink")) {
            gst_plugin_feature_set_rank(feature, GST_RANK_NONE);
            gst_object_unref(feature);
        }
    });
}

bool onGuiThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application && QThread::currentThread() == application->thread();
}

}  // namespace

namespace GstStartup {

void beginInBackground() {
    const std::lock_guard lock(g_startMutex);
    if (!g_background.valid()) {
        g_background = std::async(std::launch::async, initialise).share();
    }
}

void waitUntilReady() {
    std::shared_future<void> background;
    {
        const std::lock_guard lock(g_startMutex);
        background = g_background;
    }
    if (!background.valid()) {
        initialise();
        return;
    }
    const bool gui = onGuiThread();
    while (background.wait_for(std::chrono::milliseconds(gui ? 15 : 1000)) != std::future_status::ready) {
        // The window paints; the user's input and other programs' requests wait, so that nothing starts
        // a second command in the middle of the one that waits here.
        if (gui) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
        }
    }
}

}  // namespace GstStartup
