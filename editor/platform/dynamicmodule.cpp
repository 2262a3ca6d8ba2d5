#include "platform/dynamicmodule.h"

#include <dlfcn.h>
#include <system_error>
#include <utility>

namespace marquis {

namespace {

std::string lastDlError(std::string_view fallback)
{
    const char* text = dlerror();
    return text != nullptr ? std::string(text) : std::string(fallback);
}

} // namespace

DynamicModule::DynamicModule(const std::filesystem::path& path)
{
    if (path.empty()) {
        m_error = "no module file given";
        return;
    }
    // dlopen searches the library path for a name without a slash; an absolute path keeps it
    // to exactly the file asked for.
    std::error_code error;
    const std::filesystem::path file = std::filesystem::absolute(path, error);
    if (error) {
        m_error = path.string() + ": " + error.message();
        return;
    }
    dlerror();
    m_handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_handle == nullptr) {
        m_error = lastDlError(file.string() + ": cannot be loaded");
    }
}

DynamicModule::~DynamicModule()
{
    close();
}

DynamicModule::DynamicModule(DynamicModule&& other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr))
    , m_error(std::move(other.m_error))
{
}

DynamicModule& DynamicModule::operator=(DynamicModule&& other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

void* DynamicModule::symbol(const char* name)
{
    if (m_handle == nullptr) {
        m_error = "no module is loaded";
        return nullptr;
    }
    // A symbol's address may legitimately be null, so dlerror() is what tells a failure.
    dlerror();
    void* address = dlsym(m_handle, name);
    if (const char* text = dlerror(); text != nullptr) {
        m_error = text;
        return nullptr;
    }
    if (address == nullptr) {
        m_error = std::string(name) + ": symbol has no address";
        return nullptr;
    }
    m_error.clear();
    return address;
}

void DynamicModule::close()
{
    if (m_handle != nullptr) {
        dlclose(m_handle);
        m_handle = nullptr;
    }
}

} // namespace marquis
