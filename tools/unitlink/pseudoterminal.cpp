#include "pseudoterminal.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace marquis::unit {

PseudoTerminal::~PseudoTerminal()
{
    if (!m_link.empty())
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
