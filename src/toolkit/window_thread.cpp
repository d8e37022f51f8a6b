#include "toolkit/window_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace toolkit {
namespace {

enum class TaskState { Pending, Running, Done, Dropped };

struct Task {
    std::function<void()> work;
    TaskState state = TaskState::Pending;
};

// Guards every task's state and the closed flag; one condition for all waiters is enough
// for the few worker threads the program has.
std::mutex gate_mutex;
std::condition_variable gate_changed;
bool gate_closed = false;

void RunTask(const std::shared_ptr<Task>& task) {
    {
        std::lock_guard lock(gate_mutex);
        if (task->state != TaskState::Pending) return;
        task->state = gate_closed ? TaskState::Dropped : TaskState::Running;
    }
    if (task->state == TaskState::Dropped) {
        gate_changed.notify_all();
        return;
    }
    task->work();
    {
        std::lock_guard lock(gate_mutex);
        task->state = TaskState::Done;
    }
    gate_changed.notify_all();
}

}  // namespace

bool IsWindowThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

bool RunOnWindowThread(const std::function<void()>& work) {
    if (IsWindowThread()) {
        work();
        return true;
    }
    QCoreApplication* app = QCoreApplication::instance();
    auto task = std::make_shared<Task>();
    task->work = work;  // the caller waits below, so references it holds stay valid
    {
        std::lock_guard lock(gate_mutex);
        if (gate_closed || app == nullptr) return false;
    }
    QMetaObject::invokeMethod(app, [task] { RunTask(task); }, Qt::QueuedConnection);
    std::unique_lock lock(gate_mutex);
    gate_changed.wait(lock, [&] {
        if (gate_closed && task->state == TaskState::Pending) task->state = TaskState::Dropped;
        return task->state == TaskState::Done || task->state == TaskState::Dropped;
    });
    return task->state == TaskState::Done;
}

void CloseWindowThread() {
    {
        std::lock_guard lock(gate_mutex);
        gate_closed = true;
    }
    gate_changed.notify_all();
}

bool WindowThreadClosed() {
    std::lock_guard lock(gate_mutex);
    return gate_closed;
}

void ProcessEvents() {
    if (IsWindowThread()) QCoreApplication::processEvents();
}

}  // namespace toolkit
