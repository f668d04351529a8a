#include "tools/virtual/virtual_server.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <mutex>
#include <thread>

#include "link/virtual_wire.h"
#include "tools/virtual/control_command.h"
#include "tools/virtual/device_description.h"
#include "tools/virtual/firmware.h"
#include "tools/virtual/report_log.h"
#include "tools/virtual/unix_socket.h"

namespace {
constexpr size_t kMaxDatagram = 4096;
constexpr size_t kMaxConnections = 32;         // per interface
constexpr size_t kMaxControlConnections = 16;  // waiting for their command
constexpr int kMaxLatencyUs = 1000000;
constexpr mode_t kDirMode = 0700;

struct Connection {
    uint64_t key;
    CUniqueFd fd;
};

// One served device: its one HID interface and its firmware.
struct ServedDevice {
    const VirtualDeviceDescription* description;
    std::unique_ptr<CVirtualFirmware> firmware;
    std::shared_ptr<DeviceMemory> memory;
    std::string id;  // the interface's file name stem, e.g. "keyboard-if1"
    bool plugged = false;
    CUniqueFd listener;
    uint64_t listenerKey = 0;
    std::vector<Connection> connections;
};

bool MakeDirectories(const std::string& dir, std::string* error) {
    for (size_t end = dir.find('/', 1);; end = dir.find('/', end + 1)) {
        const std::string part = dir.substr(0, end);
        if (!part.empty() && ::mkdir(part.c_str(), kDirMode) != 0 && errno != EEXIST) {
            *error = "cannot create the directory " + part + ": " + std::strerror(errno);
            return false;
        }
        if (end == std::string::npos) {
            return true;
        }
    }
}

// Writes the whole file next to its final name, then renames it into place.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string* error) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "we");
    bool written = file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file != nullptr) {
        written = std::fclose(file) == 0 && written;
    }
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        *error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void Signal(const CUniqueFd& eventFd) {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(eventFd.Get(), &one, sizeof one);
}

CUniqueFd NewEventFd() {
    return CUniqueFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
}

std::string Failure(const std::string& message) {
    return "error: " + message;
}
}  // namespace

struct CVirtualServer::Impl {
    explicit Impl(Options o) : options(std::move(o)) {}

    // What a polled descriptor stands for; looked up again under the lock, since a control command
    // may have closed it meanwhile.
    enum class Target { Stop, Wake, ControlListener, ControlConnection, Listener, Connection };
    struct Polled {
        Target target;
        uint64_t key;
    };

    Options options;
    CReportLog log;
    std::mutex lock;  // guards devices and everything below it
    std::vector<std::unique_ptr<ServedDevice>> devices;
    bool running = false;
    uint64_t nextKey = 1;
    CUniqueFd stopFd;
    CUniqueFd wakeFd;
    std::thread thread;
    // Touched by the poll thread only (and by Start/Stop while it is not running).
    CUniqueFd controlListener;
    std::map<uint64_t, CUniqueFd> controlConnections;

    std::string SocketPath(const ServedDevice& device) const {
        return options.dir + "/" + device.id + kVirtualSocketSuffix;
    }
    std::string InfoPath(const ServedDevice& device) const {
        return options.dir + "/" + device.id + kVirtualInfoSuffix;
    }
    std::string ControlPath() const { return options.dir + "/" + kControlSocketName; }

    ServedDevice* Find(const std::string& word) {
        for (auto& device : devices) {
            if (device->description->word == word) {
                return device.get();
            }
        }
        return nullptr;
    }

    bool Plug(ServedDevice& device, std::string* error);
    void Unplug(ServedDevice& device);
    void Loop();
    std::vector<pollfd> PollSet(std::vector<Polled>& polled);
    void Accept(uint64_t listenerKey);
    bool FindConnection(uint64_t key, ServedDevice*& device, size_t& index);
    void Receive(uint64_t connectionKey, short events);
    void AcceptControl();
    void ServeControl(uint64_t key, short events);
    bool Pause();
    bool SendInput(ServedDevice* device, const Report& report);
    std::string Control(const std::string& line);
    std::string Run(const ControlCommand& command, ServedDevice* device);
};

bool CVirtualServer::Impl::Plug(ServedDevice& device, std::string* error) {
    CUniqueFd listener = ListenSeqpacket(SocketPath(device), error);
    if (!listener.Valid()) {
        return false;
    }
    const VirtualDeviceDescription& d = *device.description;
    const VirtualInterfaceInfo info{d.vendor, d.product, d.interfaceNumber, d.descriptor};
    if (!WriteFileAtomically(InfoPath(device), FormatVirtualInfo(info), error)) {
        ::unlink(SocketPath(device).c_str());
        return false;
    }
    device.listener = std::move(listener);
    device.listenerKey = nextKey++;
    device.plugged = true;
    Signal(wakeFd);
    return true;
}

void CVirtualServer::Impl::Unplug(ServedDevice& device) {
    ::unlink(InfoPath(device).c_str());
    for (Connection& connection : device.connections) {
        ::shutdown(connection.fd.Get(), SHUT_RDWR);
    }
    device.connections.clear();
    device.listener.Reset();
    ::unlink(SocketPath(device).c_str());
    device.plugged = false;
    Signal(wakeFd);
}

std::vector<pollfd> CVirtualServer::Impl::PollSet(std::vector<Polled>& polled) {
    std::vector<pollfd> fds;
    auto add = [&](int fd, Target target, uint64_t key) {
        fds.push_back(pollfd{fd, POLLIN, 0});
        polled.push_back(Polled{target, key});
    };
    add(stopFd.Get(), Target::Stop, 0);
    add(wakeFd.Get(), Target::Wake, 0);
    add(controlListener.Get(), Target::ControlListener, 0);
    for (const auto& [key, fd] : controlConnections) {
        add(fd.Get(), Target::ControlConnection, key);
    }
    std::lock_guard guard(lock);
    for (const auto& device : devices) {
        if (!device->plugged) {
            continue;
        }
        add(device->listener.Get(), Target::Listener, device->listenerKey);
        for (const Connection& connection : device->connections) {
            add(connection.fd.Get(), Target::Connection, connection.key);
        }
    }
    return fds;
}

void CVirtualServer::Impl::Loop() {
    for (;;) {
        std::vector<Polled> polled;
        std::vector<pollfd> fds = PollSet(polled);
        // Every change of the set signals wakeFd, and Stop signals stopFd: the wait always ends.
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            std::perror("px300-virtual: poll");
            return;
        }
        if (fds[0].revents != 0) {
            return;
        }
        for (size_t i = 1; i < fds.size(); ++i) {
            const short events = fds[i].revents;
            if (events == 0) {
                continue;
            }
            switch (polled[i].target) {
                case Target::Wake: {
                    uint64_t count = 0;
                    [[maybe_unused]] const ssize_t n = ::read(wakeFd.Get(), &count, sizeof count);
                    break;
                }
                case Target::ControlListener:
                    AcceptControl();
                    break;
                case Target::ControlConnection:
                    ServeControl(polled[i].key, events);
                    break;
                case Target::Listener:
                    Accept(polled[i].key);
                    break;
                case Target::Connection:
                    Receive(polled[i].key, events);
                    break;
                case Target::Stop:
                    return;
            }
        }
    }
}

void CVirtualServer::Impl::Accept(uint64_t listenerKey) {
    std::lock_guard guard(lock);
    for (auto& device : devices) {
        if (!device->plugged || device->listenerKey != listenerKey) {
            continue;
        }
        CUniqueFd fd(::accept4(device->listener.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
        if (fd.Valid() && device->connections.size() < kMaxConnections) {
            device->connections.push_back(Connection{nextKey++, std::move(fd)});
        }
        return;
    }
}

// Under the lock; false when the connection is gone.
bool CVirtualServer::Impl::FindConnection(uint64_t key, ServedDevice*& device, size_t& index) {
    for (auto& d : devices) {
        for (size_t i = 0; i < d->connections.size(); ++i) {
            if (d->connections[i].key == key) {
                device = d.get();
                index = i;
                return true;
            }
        }
    }
    return false;
}

// A report from a client: logged, handed to the firmware after the report's time, and the reply
// sent to every connection of the interface. A client that hung up is dropped.
void CVirtualServer::Impl::Receive(uint64_t connectionKey, short events) {
    Report request;
    ServedDevice* target = nullptr;
    {
        std::lock_guard guard(lock);
        size_t index = 0;
        if (!FindConnection(connectionKey, target, index)) {
            return;
        }
        auto& list = target->connections;
        uint8_t buffer[kMaxDatagram];
        const ssize_t n = (events & POLLIN)
                              ? ::recv(list[index].fd.Get(), buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC)
                              : -1;
        if (n < 0 && (events & POLLIN) && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return;
        }
        // recv gives 0 both for an empty datagram and for a closed peer; the hang-up flag tells
        // them apart.
        if (n < 0 || (n == 0 && (events & (POLLHUP | POLLERR)))) {
            list.erase(list.begin() + index);
            return;
        }
        request.assign(buffer, buffer + std::min<size_t>(n, sizeof buffer));
        log.Received(request);
    }
    if (!Pause()) {
        return;
    }
    Report reply;
    {
        std::lock_guard guard(lock);
        if (!target->plugged) {
            return;
        }
        reply = target->firmware->HandleReport(request);
    }
    if (!reply.empty()) {
        SendInput(target, reply);
    }
}

// The time one report takes on the wire; false when the server is stopping.
bool CVirtualServer::Impl::Pause() {
    const int us = std::min(options.latencyUs, kMaxLatencyUs);
    if (us <= 0) {
        return true;
    }
    pollfd fd{stopFd.Get(), POLLIN, 0};
    const timespec wait{us / 1000000, static_cast<long>(us % 1000000) * 1000};  // nanoseconds below 1 s
    return ::ppoll(&fd, 1, &wait, nullptr) == 0;
}

bool CVirtualServer::Impl::SendInput(ServedDevice* device, const Report& report) {
    if (!Pause()) {
        return false;
    }
    std::lock_guard guard(lock);
    if (!device->plugged) {
        return false;
    }
    log.Sent(report);
    auto& list = device->connections;
    for (auto it = list.begin(); it != list.end();) {
        const ssize_t n = ::send(it->fd.Get(), report.data(), report.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
        // A client that does not read loses reports, as with hidraw's full buffer.
        const bool gone = n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != ENOBUFS;
        it = gone ? list.erase(it) : it + 1;
    }
    return true;
}

void CVirtualServer::Impl::AcceptControl() {
    CUniqueFd fd(::accept4(controlListener.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (fd.Valid() && controlConnections.size() < kMaxControlConnections) {
        controlConnections.emplace(nextKey++, std::move(fd));
    }
}

// One command per connection: the command line in, the answer out, then the connection closes.
void CVirtualServer::Impl::ServeControl(uint64_t key, short events) {
    const auto it = controlConnections.find(key);
    if (it == controlConnections.end()) {
        return;
    }
    char buffer[kMaxDatagram];
    const ssize_t n = (events & POLLIN) ? ::recv(it->second.Get(), buffer, sizeof buffer, MSG_DONTWAIT) : -1;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && (events & POLLIN)) {
        return;
    }
    if (n > 0) {
        const std::string answer = EncodeControlAnswer(Control(std::string(buffer, n)));
        ::send(it->second.Get(), answer.data(), answer.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    }
    controlConnections.erase(it);
}

std::string CVirtualServer::Impl::Control(const std::string& line) {
    ControlCommand command;
    std::string error;
    if (!ParseControlCommand(SplitWords(line), command, error)) {
        return Failure(error);
    }
    ServedDevice* device = nullptr;
    Report event;
    {
        std::lock_guard guard(lock);
        device = Find(command.device);
        if (command.verb != ControlVerb::List && device == nullptr) {
            return Failure(command.device + " is not served");
        }
        if (command.verb != ControlVerb::Event) {
            return Run(command, device);
        }
        const uint8_t reportId = device->description->eventReportId;
        if (reportId == 0) {
            return Failure(command.device + " has no consumer report");
        }
        event = {reportId, static_cast<uint8_t>(command.usage & 0xFF),
                 static_cast<uint8_t>(command.usage >> 8)};
    }
    // Sent outside the lock: the report takes its time on the wire like every other.
    return SendInput(device, event) ? "" : Failure(command.device + " is not plugged in");
}

// Every command but event; called under the lock.
std::string CVirtualServer::Impl::Run(const ControlCommand& command, ServedDevice* device) {
    const std::string& word = command.device;
    std::string error;
    switch (command.verb) {
        case ControlVerb::List: {
            std::string text;
            for (const auto& d : devices) {
                text += d->description->word + " " + d->id + (d->plugged ? " plugged" : " unplugged") +
                        " connections=" + std::to_string(d->connections.size());
                if (d->description->receiver) {
                    text += d->firmware->Reachable() ? " reachable=yes" : " reachable=no";
                }
                text += "\n";
            }
            return text;
        }
        case ControlVerb::Plug:
            if (!running) {
                return Failure("the server is not running");
            }
            if (device->plugged) {
                return Failure(word + " is plugged in already");
            }
            return Plug(*device, &error) ? "" : Failure(error);
        case ControlVerb::Unplug:
            if (!device->plugged) {
                return Failure(word + " is not plugged in");
            }
            Unplug(*device);
            return "";
        case ControlVerb::Dump: {
            const std::vector<uint8_t>& area = device->firmware->Area(command.area);
            if (area.empty()) {
                return Failure(word + " has no " + AreaName(command.area) + " memory");
            }
            return HexBytes(area, 16) + "\n";
        }
        case ControlVerb::Fault:
            if (device->description->commandReportId == 0) {
                return Failure(word + " has no command protocol");
            }
            device->firmware->InjectFault(command.fault, command.count);
            return "";
        case ControlVerb::Reachable:
            if (!device->description->receiver) {
                return Failure(word + " is not reached through a receiver");
            }
            device->firmware->SetReachable(command.reachable);
            return "";
        case ControlVerb::Event:
            break;
    }
    return Failure("unhandled command");
}

CVirtualServer::CVirtualServer(Options options) : m_impl(std::make_unique<Impl>(std::move(options))) {
    if (m_impl->options.dir.empty()) {
        m_impl->options.dir = VirtualDeviceDir();
    }
    m_impl->stopFd = NewEventFd();
    m_impl->wakeFd = NewEventFd();
}

CVirtualServer::~CVirtualServer() {
    Stop();
}

std::vector<std::string> CVirtualServer::DeviceWords() {
    std::vector<std::string> words;
    for (const VirtualDeviceDescription& device : VirtualDevices()) {
        words.push_back(device.word);
    }
    return words;
}

bool CVirtualServer::Add(const std::string& deviceWord, std::string* error) {
    std::string problem;
    std::lock_guard guard(m_impl->lock);
    const VirtualDeviceDescription* description = FindVirtualDevice(deviceWord);
    if (description == nullptr) {
        problem = "unknown device: " + deviceWord;
    } else if (m_impl->Find(deviceWord) != nullptr) {
        problem = deviceWord + " is given twice";
    } else if (m_impl->running) {
        problem = "devices are added before the server starts";
    }
    if (!problem.empty()) {
        if (error != nullptr) {
            *error = problem;
        }
        return false;
    }
    auto device = std::make_unique<ServedDevice>();
    device->description = description;
    device->id = deviceWord + "-if" + std::to_string(description->interfaceNumber);
    // The cable and the receiver side of one device share its memory.
    for (const auto& other : m_impl->devices) {
        if (other->description->cableWord == deviceWord ||
            other->description->word == description->cableWord) {
            device->memory = other->memory;
        }
    }
    if (device->memory == nullptr) {
        device->memory = std::make_shared<DeviceMemory>(FactoryMemory(*description));
    }
    device->firmware = std::make_unique<CVirtualFirmware>(*description, device->memory);
    m_impl->devices.push_back(std::move(device));
    return true;
}

bool CVirtualServer::Start(std::string* error) {
    Impl& s = *m_impl;
    if (s.thread.joinable() || s.running) {
        if (error != nullptr) {
            *error = "the server runs already";
        }
        return false;
    }
    std::string problem;
    if (!s.stopFd.Valid() || !s.wakeFd.Valid()) {
        problem = std::string("cannot create an event descriptor: ") + std::strerror(errno);
    } else if (MakeDirectories(s.options.dir, &problem) &&
               (s.options.logFile.empty() || s.log.Open(s.options.logFile, &problem))) {
        uint64_t count = 0;
        [[maybe_unused]] const ssize_t n = ::read(s.stopFd.Get(), &count, sizeof count);
        s.controlListener = ListenSeqpacket(s.ControlPath(), &problem);
    }
    bool plugged = s.controlListener.Valid();
    if (plugged) {
        std::lock_guard guard(s.lock);
        s.running = true;
        for (auto it = s.devices.begin(); it != s.devices.end() && plugged; ++it) {
            plugged = s.Plug(**it, &problem);
        }
    }
    if (!plugged) {
        Stop();
        if (error != nullptr) {
            *error = problem;
        }
        return false;
    }
    s.thread = std::thread([&s] { s.Loop(); });
    return true;
}

void CVirtualServer::Stop() {
    Impl& s = *m_impl;
    if (s.thread.joinable()) {
        Signal(s.stopFd);
        s.thread.join();
    }
    std::lock_guard guard(s.lock);
    for (auto& device : s.devices) {
        if (device->plugged) {
            s.Unplug(*device);
        }
    }
    s.controlConnections.clear();
    if (s.controlListener.Valid()) {
        s.controlListener.Reset();
        ::unlink(s.ControlPath().c_str());
    }
    s.running = false;
    s.log.Close();
}

std::string CVirtualServer::Control(const std::string& commandLine) {
    return m_impl->Control(commandLine);
}
