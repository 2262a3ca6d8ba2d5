#pragma once

#include <exception>
#include <stdexcept>
#include <string>
#include <utility>

namespace marquis {

// An unexpected failure inside a message-model procedure. It names the procedure so that the
// window's fatal-error report can say where it happened.
class ModelFailure : public std::runtime_error {
public:
    ModelFailure(std::string procedure, const std::string& what)
        : std::runtime_error(what)
        , m_procedure(std::move(procedure))
    {
    }
    const std::string& procedure() const { return m_procedure; }

private:
    std::string m_procedure;
};

// Runs `body`; an unexpected exception leaves as a ModelFailure that names `procedure`.
template <typename Body> decltype(auto) guarded(const char* procedure, Body&& body)
{
    try {
        return std::forward<Body>(body)();
    } catch (const ModelFailure&) {
        throw;
    } catch (const std::exception& e) {
        throw ModelFailure(procedure, e.what());
    }
}

} // namespace marquis
