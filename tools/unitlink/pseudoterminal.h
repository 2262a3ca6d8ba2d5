#pragma once

#include <string>

namespace marquis::unit {

// A pseudo-terminal that plays the unit's end of a serial line: the unit reads and writes its
// master side, the link opens the slave side as if it were a serial port. The slave is made
// raw and kept open here, so the master stays usable while no link has it open. Optionally a
// symbolic link at a chosen path names the slave; it is removed with the object, unless it
// has been replaced meanwhile.
class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // False with the reason in `error` when no pseudo-terminal can be had.
    bool open(std::string& error);
    // Points `path` at the slave. A symbolic link there that leads nowhere live (left behind
    // by a simulator that was killed) is replaced; one that leads to a pseudo-terminal in use,
    // and any other file, is left alone and reported.
    bool linkAs(const std::string& path, std::string& error);

    int master() const { return m_master; }
    const std::string& slaveName() const { return m_slaveName; }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slaveName;
    std::string m_link;
};

} // namespace marquis::unit
