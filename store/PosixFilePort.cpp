#include "store/PosixFilePort.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <limits>
#include <memory>
#include <utility>

namespace tarvel {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and reports whether the close succeeded.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        // Nothing written and no error: errno is stale, so give it one.
        if (written == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

constexpr std::int64_t kNanosecondsPerSecond = 1000000000;

class PosixWritableFile : public WritableFile {
public:
    explicit PosixWritableFile(Descriptor fd) : file_(std::move(fd)) {}

    // At given offsets, so that the position stays at the start.
    unsigned long ReadAll(std::string& bytes) override {
        bytes.clear();
        char buffer[64 * 1024];
        for (;;) {
            const auto got = ::pread(file_.get(), buffer, sizeof buffer, static_cast<off_t>(bytes.size()));
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                return static_cast<unsigned long>(errno);
            if (got == 0)
                return 0;
            bytes.append(buffer, static_cast<std::size_t>(got));
        }
    }

    unsigned long Write(std::string_view bytes) override {
        return WriteAll(file_.get(), bytes) ? 0 : static_cast<unsigned long>(errno);
    }
    unsigned long Flush() override { return ::fsync(file_.get()) == 0 ? 0 : static_cast<unsigned long>(errno); }
    // posix_fallocate takes the blocks (a sparse extension would not find a
    // full disk) and never shortens the file; a refusal part of the way may
    // have lengthened it, so the old length is given back.
    unsigned long Reserve(std::uint64_t size) override {
        struct stat info {};
        if (::fstat(file_.get(), &info) != 0)
            return static_cast<unsigned long>(errno);
        if (size <= static_cast<std::uint64_t>(info.st_size))
            return 0;
        const int error = ::posix_fallocate(file_.get(), 0, static_cast<off_t>(size));
        if (error != 0)
            Truncate(static_cast<std::uint64_t>(info.st_size));
        return static_cast<unsigned long>(error);
    }
    unsigned long Truncate(std::uint64_t size) override {
        return ::ftruncate(file_.get(), static_cast<off_t>(size)) == 0 ? 0 : static_cast<unsigned long>(errno);
    }
    unsigned long Close() override { return file_.close() ? 0 : static_cast<unsigned long>(errno); }

private:
    Descriptor file_;
};

FileState StateFrom(const struct stat& info) {
    return FileState{static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::int64_t>(info.st_mtim.tv_sec) * kNanosecondsPerSecond + info.st_mtim.tv_nsec};
}

}  // namespace

bool PosixFilePort::Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

unsigned long PosixFilePort::CreateEmpty(const std::string& path) {
    Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666));
    return file.get() < 0 ? static_cast<unsigned long>(errno) : 0;
}

int PosixFilePort::MakeWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return errno;
    return ::chmod(path.c_str(), info.st_mode | S_IRUSR | S_IWUSR) == 0 ? 0 : errno;
}

unsigned long PosixFilePort::ReadAll(const std::string& path, std::string& bytes) {
    FileState state;
    return ReadWithState(path, bytes, state);
}

unsigned long PosixFilePort::ReadWithState(const std::string& path, std::string& bytes, FileState& state) {
    bytes.clear();
    // Non-blocking, so that a FIFO in a file's place cannot hang the open.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK));
    if (file.get() < 0)
        return static_cast<unsigned long>(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return static_cast<unsigned long>(errno);
    if (!S_ISREG(info.st_mode))
        return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    state = StateFrom(info);
    // Straight into the string as long as the file is as long as it was
    // found; what it gained since comes through the buffer.
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    char buffer[64 * 1024];
    for (;;) {
        const bool inPlace = done < bytes.size();
        char* into = inPlace ? bytes.data() + done : buffer;
        const auto got = ::read(file.get(), into, inPlace ? bytes.size() - done : sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return static_cast<unsigned long>(errno);
        if (got == 0) {
            bytes.resize(done);
            return 0;
        }
        if (!inPlace)
            bytes.append(buffer, static_cast<std::size_t>(got));
        done += static_cast<std::size_t>(got);
    }
}

std::optional<FileState> PosixFilePort::StateOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return StateFrom(info);
}

std::optional<FileIdentity> PosixFilePort::IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
                        static_cast<unsigned long>(info.st_nlink)};
}

FileTarget PosixFilePort::TargetOf(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    struct stat info {};
    const unsigned long links = ::stat(path.c_str(), &info) == 0 ? static_cast<unsigned long>(info.st_nlink) : 1;
    return {resolved ? std::string(resolved.get()) : path, links};
}

// Created for the owner only, then given the model's permissions, as far as
// its owner may set them, before any byte is in it.
unsigned long PosixFilePort::CreateNew(const std::string& path, const std::string& model,
                                       std::unique_ptr<WritableFile>& file) {
    Descriptor created(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (created.get() < 0)
        return static_cast<unsigned long>(errno);
    struct stat previous {};
    if (::stat(model.c_str(), &previous) == 0 && ::fchmod(created.get(), previous.st_mode & 07777) != 0) {
        const auto error = static_cast<unsigned long>(errno);
        created.close();
        ::unlink(path.c_str());
        return error;
    }
    file = std::make_unique<PosixWritableFile>(std::move(created));
    return 0;
}

unsigned long PosixFilePort::OpenExisting(const std::string& path, std::unique_ptr<WritableFile>& file) {
    Descriptor opened(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (opened.get() < 0)
        return static_cast<unsigned long>(errno);
    file = std::make_unique<PosixWritableFile>(std::move(opened));
    return 0;
}

unsigned long PosixFilePort::Replace(const std::string& replacement, const std::string& path) {
    return ::rename(replacement.c_str(), path.c_str()) == 0 ? 0 : static_cast<unsigned long>(errno);
}

unsigned long PosixFilePort::Remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0 ? 0 : static_cast<unsigned long>(errno);
}

unsigned long PosixFilePort::Copy(const std::string& from, const std::string& to) {
    std::string bytes;
    if (const auto error = ReadAll(from, bytes))
        return error;
    Descriptor file(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (file.get() < 0)
        return static_cast<unsigned long>(errno);
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close())
        return static_cast<unsigned long>(errno);
    return 0;
}

std::vector<std::string> PosixFilePort::StaleFiles(const std::string& directory, const std::string& suffix,
                                                   int seconds) {
    std::vector<std::string> stale;
    const std::string listed = directory.empty() ? "." : directory;
    std::unique_ptr<DIR, decltype(&::closedir)> entries(::opendir(listed.c_str()), &::closedir);
    if (!entries)
        return stale;
    const auto now = std::time(nullptr);
    while (const dirent* item = ::readdir(entries.get())) {
        const std::string name = item->d_name;
        if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        struct stat info {};
        const std::string path = directory + name;
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && now - info.st_mtime >= seconds)
            stale.push_back(path);
    }
    return stale;
}

// Every age is at least the least number of seconds.
std::vector<std::string> PosixFilePort::FilesEndingWith(const std::string& directory, const std::string& suffix) {
    return StaleFiles(directory, suffix, std::numeric_limits<int>::min());
}

std::string PosixFilePort::TemporaryFolder() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder != nullptr && *folder != '\0' ? folder : "/tmp";
    if (path.back() != '/')
        path += '/';
    return path;
}

unsigned long PosixFilePort::ProcessId() { return static_cast<unsigned long>(::getpid()); }

std::optional<std::string> PosixFilePort::SystemErrorText(unsigned long code) {
    if (code == 0 || code > 4095)
        return std::nullopt;
    return std::string(std::strerror(static_cast<int>(code)));
}

}  // namespace tarvel
