#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace marquis {

// Owns one loaded module (shared library) and looks up the functions it exports.
class DynamicModule {
public:
#if defined(_WIN32)
    static constexpr std::string_view suffix = ".dll";
#elif defined(__APPLE__)
    static constexpr std::string_view suffix = ".dylib";
#else
    static constexpr std::string_view suffix = ".so";
#endif

    // An empty object that holds no module.
    DynamicModule() = default;
    // Loads the module file at path, resolving all its symbols now. A relative path is taken
    // from the current directory, never searched for on the system's library path. On failure
    // the object is empty and errorText() says why.
    explicit DynamicModule(const std::filesystem::path& path);
    ~DynamicModule();

    DynamicModule(DynamicModule&& other) noexcept;
    DynamicModule& operator=(DynamicModule&& other) noexcept;
    DynamicModule(const DynamicModule&) = delete;
    DynamicModule& operator=(const DynamicModule&) = delete;

    bool isLoaded() const
    {
        return m_handle != nullptr;
    }
    // Why the last load or lookup failed; empty after success.
    const std::string& errorText() const
    {
        return m_error;
    }

    // The address of an exported symbol, or nullptr (with errorText() set) when it is missing.
    void* symbol(const char* name);

    // A function exported under name, or nullptr when it is missing.
    template <typename Function> Function function(const char* name)
    {
        return reinterpret_cast<Function>(symbol(name));
    }

    // Unloads the module; the object is empty afterwards.
    void close();

private:
    void* m_handle = nullptr;
    std::string m_error;
};

} // namespace marquis
