#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace marquis::unit {
namespace {

// Whether `target` names the slave of a pseudo-terminal that is open now. The slave's node
// exists only while its master is open, so a link left by a simulator that was killed points
// at nothing. (Once its number is given to another terminal, the link looks live again; it is
// then left alone, since it cannot be told from the link of a running simulator.)
bool isLivePseudoTerminal(const std::string& target)
{
    struct stat device { };
    return target.rfind("/dev/pts/", 0) == 0 && ::stat(target.c_str(), &device) == 0 &&
        S_ISCHR(device.st_mode);
}

// Where a symbolic link points ("" when `path` is not one).
std::string linkTarget(const std::string& path)
{
    char target[4096];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    return length > 0 && static_cast<std::size_t>(length) < sizeof target
        ? std::string(target, static_cast<std::size_t>(length))
        : std::string();
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    // Only while it still leads here: a link that was replaced belongs to someone else now.
    if (!m_link.empty() && linkTarget(m_link) == m_slaveName)
        ::unlink(m_link.c_str());
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PseudoTerminal::open(std::string& error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        error = std::string("no pseudo-terminal (") + std::strerror(errno) + ")";
        return false;
    }
    char name[256] {};
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        error = std::string("no pseudo-terminal name (") + std::strerror(errno) + ")";
        return false;
    }
    m_slaveName = name;
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios settings {};
    if (m_slave < 0 || ::tcgetattr(m_slave, &settings) != 0) {
        error = std::string("cannot open ") + name + " (" + std::strerror(errno) + ")";
        return false;
    }
    // No echo, no line editing, no character translation: a line carries bytes.
    ::cfmakeraw(&settings);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    const int flags = ::fcntl(m_master, F_GETFL);
    ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK);
    return true;
}

bool PseudoTerminal::linkAs(const std::string& path, std::string& error)
{
    struct stat existing { };
    if (::lstat(path.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            error = path + " exists and is not a symbolic link; it was left alone";
            return false;
        }
        // A new pseudo-terminal often gets the number of the one that was closed: a link to
        // our own slave is ours.
        const std::string target = linkTarget(path);
        if (target != m_slaveName && isLivePseudoTerminal(target)) {
            error = path + " already leads to the line " + target +
                ", which is in use (another simulated unit?); it was left alone";
            return false;
        }
        // Left behind by a simulator that was killed.
        ::unlink(path.c_str());
    }
    if (::symlink(m_slaveName.c_str(), path.c_str()) != 0) {
        error = "cannot create " + path + " (" + std::strerror(errno) + ")";
        return false;
    }
    m_link = path;
    return true;
}

} // namespace marquis::unit
