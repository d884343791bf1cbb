#include "platform/Player.h"

#include "platform/DataDirectory.h"
#include "platform/DeviceLog.h"
#include "platform/UiThreadCalls.h"
#include "platform/ResourceDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <mutex>

namespace Ixa::Media {

struct Player::Shared {
    std::mutex mutex;
    IPlayerEventListener* listener = nullptr;
    std::string path;
    std::string native;
    PlayerState state = PLAYER_STATE_INITIALIZED;
    bool looping = false;
    bool alive = true;
};

namespace {

std::string NativePath(const Base::String& path)
{
    if (path.StartsWith("/Home/", 0)) {
        std::string native;
        return IsSucceeded(Io::DataDirectory::ToNativePath(path, native)) ? native : std::string();
    }
    if (path.StartsWith("/Res/", 0) || !path.StartsWith("/", 0))
        return Io::ResourceDirectory::ToNativePath(path);
    return path.ToUtf8();
}

}  // namespace

Player::Player() = default;

Player::~Player()
{
    if (!shared_)
        return;
    std::lock_guard lock(shared_->mutex);
    shared_->alive = false;
}

result Player::Construct(IPlayerEventListener& listener)
{
    if (shared_)
        return E_INVALID_STATE;
    shared_ = std::make_shared<Shared>();
    shared_->listener = &listener;
    return E_SUCCESS;
}

result Player::OpenFile(const Base::String& path, bool isAsync)
{
    if (!shared_)
        return E_INVALID_STATE;
    const std::string native = NativePath(path);
    if (native.empty() || !QFileInfo(QString::fromStdString(native)).isFile())
        return E_OBJ_NOT_FOUND;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->path = path.ToUtf8();
        shared_->native = native;
        shared_->state = PLAYER_STATE_OPENED;
    }
    if (isAsync)
        Deliver([](IPlayerEventListener& listener) { listener.OnPlayerOpened(E_SUCCESS); });
    return E_SUCCESS;
}

result Player::Close()
{
    if (!shared_)
        return E_INVALID_STATE;
    std::lock_guard lock(shared_->mutex);
    shared_->state = PLAYER_STATE_CLOSED;
    return E_SUCCESS;
}

result Player::Play()
{
    if (!shared_)
        return E_INVALID_STATE;
    std::string native;
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->state == PLAYER_STATE_INITIALIZED || shared_->state == PLAYER_STATE_CLOSED)
            return E_INVALID_STATE;
        shared_->state = PLAYER_STATE_PLAYING;
        System::DeviceLog::Record("play " + shared_->path);
        native = shared_->native;
    }
    if (!HasSoundDevice()) {
        Deliver([](IPlayerEventListener& listener) { listener.OnPlayerEndOfClip(); });
        return E_SUCCESS;
    }
    std::weak_ptr<Shared> weak = shared_;
    Ui::UiThreadCalls::Post([weak, native] {
        auto* process = new QProcess(QCoreApplication::instance());
        QObject::connect(process, &QProcess::finished, process, [weak, process] {
            process->deleteLater();
            std::shared_ptr<Shared> shared = weak.lock();
            if (!shared)
                return;
            IPlayerEventListener* listener = nullptr;
            {
                std::lock_guard lock(shared->mutex);
                shared->state = PLAYER_STATE_ENDOFCLIP;
                listener = shared->alive ? shared->listener : nullptr;
            }
            if (listener != nullptr)
                listener->OnPlayerEndOfClip();
        });
        process->start(QStringLiteral("aplay"), {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("wav"), QString::fromStdString(native)});
    });
    return E_SUCCESS;
}

result Player::Stop()
{
    if (!shared_)
        return E_INVALID_STATE;
    std::lock_guard lock(shared_->mutex);
    shared_->state = PLAYER_STATE_STOPPED;
    return E_SUCCESS;
}

result Player::SetLooping(bool looping)
{
    if (!shared_)
        return E_INVALID_STATE;
    std::lock_guard lock(shared_->mutex);
    shared_->looping = looping;
    return E_SUCCESS;
}

bool Player::IsLooping() const
{
    if (!shared_)
        return false;
    std::lock_guard lock(shared_->mutex);
    return shared_->looping;
}

PlayerState Player::GetState() const
{
    if (!shared_)
        return PLAYER_STATE_INITIALIZED;
    std::lock_guard lock(shared_->mutex);
    return shared_->state;
}

bool Player::HasSoundDevice()
{
    const QStringList devices = QDir(QStringLiteral("/dev/snd")).entryList({QStringLiteral("pcmC*p")}, QDir::System);
    return !devices.isEmpty() && !QStandardPaths::findExecutable(QStringLiteral("aplay")).isEmpty();
}

void Player::Deliver(void (*call)(IPlayerEventListener&))
{
    std::weak_ptr<Shared> weak = shared_;
    Ui::UiThreadCalls::Post([weak, call] {
        std::shared_ptr<Shared> shared = weak.lock();
        if (!shared)
            return;
        IPlayerEventListener* listener = nullptr;
        {
            std::lock_guard lock(shared->mutex);
            if (shared->state == PLAYER_STATE_PLAYING)
                shared->state = PLAYER_STATE_ENDOFCLIP;
            listener = shared->alive ? shared->listener : nullptr;
        }
        if (listener != nullptr)
            call(*listener);
    });
}

}  // namespace Ixa::Media
