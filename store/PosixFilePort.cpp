#include "store/PosixFilePort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
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

bool WriteAll(int fd, const std::string& bytes) {
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
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const auto got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return static_cast<unsigned long>(errno);
        if (got == 0)
            return 0;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

FilePort::WriteResult PosixFilePort::ReplaceContents(const std::string& path, const std::string& bytes) {
    std::string temporary = path + ".XXXXXX";
    Descriptor file(::mkstemp(temporary.data()));
    if (file.get() < 0)
        return {WriteStage::Open, static_cast<unsigned long>(errno)};
    const auto fail = [&](WriteStage stage) {
        const auto error = static_cast<unsigned long>(errno);
        ::unlink(temporary.c_str());
        return WriteResult{stage, error};
    };
    // mkstemp creates the file for the owner only; the new text keeps the
    // permissions the file had.
    struct stat previous {};
    if (::stat(path.c_str(), &previous) == 0 && ::fchmod(file.get(), previous.st_mode & 07777) != 0)
        return fail(WriteStage::Write);
    if (!WriteAll(file.get(), bytes) || ::fsync(file.get()) != 0 || !file.close())
        return fail(WriteStage::Write);
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return fail(WriteStage::Replace);
    return {};
}

std::optional<std::string> PosixFilePort::SystemErrorText(unsigned long code) {
    if (code == 0 || code > 4095)
        return std::nullopt;
    return std::string(std::strerror(static_cast<int>(code)));
}
