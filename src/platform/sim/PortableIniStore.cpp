#include "platform/sim/PortableIniStore.h"

#include "common/ProgramError.h"
#include "platform/sim/IniDocument.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillmere {

namespace {

namespace fs = std::filesystem;

// Follows symbolic links to the file they name, so that a write replaces
// that file and leaves the link in place. A dangling link names the file it
// would create.
std::string FinalTarget(const std::string& path) {
    constexpr int kMaxLinks = 40;
    fs::path target = path;
    std::error_code error;
    for (int hops = 0; hops < kMaxLinks && fs::is_symlink(target, error); ++hops) {
        const fs::path next = fs::read_symlink(target, error);
        if (error) {
            break;
        }
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }

    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    // Closes now and reports failure, which some file systems (NFS) give only
    // at close.
    bool Close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

enum class ReadResult { Read, Missing, Failed };

ReadResult ReadText(const std::string& path, std::string& text, struct stat& status) {
    text.clear();
    // Non-blocking so that a FIFO at the path cannot stall the read; it is
    // refused below as not a regular file.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!file.Valid()) {
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return ReadResult::Failed;
    }
    char buffer[16384];
    for (;;) {
        const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
        if (count == 0) {
            return ReadResult::Read;
        }
        if (count < 0 && errno != EINTR) {
            text.clear();
            return ReadResult::Failed;
        }
        if (count > 0) {
            text.append(buffer, static_cast<std::size_t>(count));
        }
    }
}

// Anything that cannot be read counts as missing: reads never fail.
IniDocument Load(const std::string& path) {
    std::string text;
    struct stat status {};
    return ReadText(path, text, status) == ReadResult::Read ? IniDocument::Parse(text)
                                                            : IniDocument{};
}

bool WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = ::write(fd, text.data() + done, text.size() - done);
        if (count < 0 && errno != EINTR) {
            return false;
        }
        if (count > 0) {
            done += static_cast<std::size_t>(count);
        }
    }
    return true;
}

// A new file beside target under a name no other writer uses, created with
// the permissions a new file gets (mode 0666 less the umask).
FileDescriptor CreateTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> serial{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return FileDescriptor(fd);
        }
    }
    return FileDescriptor(-1);
}

// Writes the whole file into a temporary one and renames it over the target,
// keeping the target's permissions.
bool Replace(const std::string& target, const std::string& text, const struct stat* existing) {
    std::string temporary;
    FileDescriptor file = CreateTemporary(target, temporary);
    if (!file.Valid()) {
        return false;
    }
    const bool written =
        WriteAll(file.Get(), text) &&
        (existing == nullptr || ::fchmod(file.Get(), existing->st_mode & 07777) == 0) &&
        file.Close() && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!written) {
        ::unlink(temporary.c_str());
    }
    return written;
}

// One read-modify-write of the file at path, under an exclusive lock so that
// writers in other processes never overwrite each other's changes. The lock is
// taken on a sibling file: the data file itself is replaced by each write, and
// a lock on it would stay with the replaced copy.
template <class Edit> void Modify(const std::string& path, Edit edit) {
    const auto refuse = [&path] { throw ProgramError("Unable to write to " + path); };
    const std::string target = FinalTarget(path);

    // Checked before the lock so that a refused path leaves nothing behind.
    // A file whose mode lets nobody write it is read-only to the user even
    // when root, whom the permissions do not stop, runs the program.
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        refuse();
    }
    if (exists && (!S_ISREG(status.st_mode) || (status.st_mode & 0222) == 0 ||
                   ::access(target.c_str(), W_OK) != 0)) {
        refuse();
    }

    const FileDescriptor lock(
        ::open((target + ".lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666));
    if (!lock.Valid()) {
        refuse();
    }
    while (::flock(lock.Get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            refuse();
        }
    }

    // Read only under the lock: the file may have come, gone or changed since
    // the check above.
    std::string text;
    const ReadResult read = ReadText(target, text, status);
    if (read == ReadResult::Failed) {
        refuse();
    }
    IniDocument document = IniDocument::Parse(text);
    edit(document);
    if (!Replace(target, document.Serialize(), read == ReadResult::Read ? &status : nullptr)) {
        refuse();
    }
}

} // namespace

std::string PortableIniStore::ReadValue(const std::string& path, std::string_view section,
                                        std::string_view name, std::string_view fallback) {
    const IniDocument document = Load(path);
    const std::string* value = document.Find(section, name);
    return std::string(value != nullptr ? *value : fallback).substr(0, kIniValueLimit);
}

void PortableIniStore::WriteValue(const std::string& path, std::string_view section,
                                  std::string_view name, std::string_view value) {
    Modify(path, [&](IniDocument& document) { document.Set(section, name, value); });
}

void PortableIniStore::EraseSection(const std::string& path, std::string_view section) {
    Modify(path, [&](IniDocument& document) { document.EraseSection(section); });
}

void PortableIniStore::WriteSection(const std::string& path, std::string_view section,
                                    const std::vector<std::string>& lines) {
    Modify(path, [&](IniDocument& document) { document.ReplaceSection(section, lines); });
}

std::vector<std::string> PortableIniStore::ReadSection(const std::string& path,
                                                       std::string_view section) {
    return Load(path).SectionLines(section);
}

} // namespace quillmere
