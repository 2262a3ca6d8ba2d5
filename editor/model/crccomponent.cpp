#include "model/crccomponent.h"

#include "componentabi.h"
#include "platform/dynamicmodule.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

namespace marquis {

namespace {

// Module and class names are plain identifiers, so an identifier can never name a file outside
// the program folder.
bool isNamePart(std::string_view part)
{
    return !part.empty() && std::all_of(part.begin(), part.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '_';
    });
}

// Enough of a file's state to notice that it was installed, removed or replaced.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type written {};

    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::filesystem::path& file)
{
    FileStamp stamp;
    std::error_code error;
    stamp.exists = std::filesystem::exists(file, error);
    if (stamp.exists) {
        stamp.size = std::filesystem::file_size(file, error);
        if (error) {
            stamp.size = 0;
        }
        stamp.written = std::filesystem::last_write_time(file, error);
        if (error) {
            stamp.written = {};
        }
    }
    return stamp;
}

} // namespace

// Resolves the identifier, loads the module and creates objects of the class.
class CrcComponent::Loader {
public:
    Loader(const std::filesystem::path& programFolder, std::string_view identifier)
    {
        const auto dot = identifier.find('.');
        const std::string_view library = identifier.substr(0, dot);
        const std::string_view className =
            dot == std::string_view::npos ? std::string_view() : identifier.substr(dot + 1);
        if (!isNamePart(library) || !isNamePart(className)) {
            m_error = "\"" + std::string(identifier) +
                "\" is not a component identifier of the form Library.Class";
            return;
        }
        m_modulePath = programFolder / (std::string(library) + std::string(DynamicModule::suffix));
        m_className = className;
    }

    // A new object of the class, or nullptr (with m_error set) when none can be created.
    MarquisCrcObject* create()
    {
        if (!load()) {
            return nullptr;
        }
        auto* object = static_cast<MarquisCrcObject*>(m_create(m_className.c_str()));
        if (object == nullptr) {
            m_error = m_modulePath.string() + ": the module has no class \"" + m_className + "\"";
            return nullptr;
        }
        const MarquisCrcTable* table = object->table;
        if (table == nullptr || table->release == nullptr || table->calcCrc == nullptr ||
            table->crcValue == nullptr) {
            if (table != nullptr && table->release != nullptr) {
                table->release(object);
            }
            m_error = m_modulePath.string() + ": class \"" + m_className + "\" is incomplete";
            return nullptr;
        }
        m_error.clear();
        return object;
    }

    const std::string& error() const { return m_error; }
    const std::filesystem::path& modulePath() const { return m_modulePath; }

private:
    // Loads the module once. After a failure the module file is only tried again once it has
    // changed, so calls made while the component is missing cost a file lookup and no more.
    bool load()
    {
        if (m_create != nullptr) {
            return true;
        }
        if (m_modulePath.empty()) {
            return false; // malformed identifier: nothing will ever load
        }
        const FileStamp stamp = stampOf(m_modulePath);
        if (m_failedStamp == stamp) {
            return false;
        }
        m_failedStamp = stamp;
        if (!stamp.exists) {
            m_error = m_modulePath.string() + ": module file not found";
            return false;
        }
        DynamicModule module(m_modulePath);
        if (!module.isLoaded()) {
            m_error = module.errorText();
            return false;
        }
        const auto create =
            module.function<MarquisCreateComponentFunction>(MARQUIS_COMPONENT_ENTRY_POINT);
        if (create == nullptr) {
            m_error =
                m_modulePath.string() + ": not a component module (" + module.errorText() + ")";
            return false;
        }
        m_module = std::move(module);
        m_create = create;
        m_failedStamp.reset();
        m_error.clear();
        return true;
    }

    std::filesystem::path m_modulePath;
    std::string m_className;
    std::string m_error;
    DynamicModule m_module;
    MarquisCreateComponentFunction m_create = nullptr;
    std::optional<FileStamp> m_failedStamp;
};

CrcComponent::CrcComponent(const std::filesystem::path& programFolder, std::string_view identifier)
    : m_loader(std::make_unique<Loader>(programFolder, identifier))
{
}

CrcComponent::~CrcComponent() = default;

std::int32_t CrcComponent::checkValueOf(std::string_view text)
{
    return checkValueOfPrefix(text, std::numeric_limits<std::int64_t>::max());
}

std::int32_t CrcComponent::checkValueOfPrefix(std::string_view text, std::int64_t length)
{
    const std::int64_t count =
        std::clamp<std::int64_t>(length, 0, static_cast<std::int64_t>(text.size()));
    // The component takes a 32-bit length; cutting a longer text short would give a wrong value.
    if (count > std::numeric_limits<std::int32_t>::max()) {
        return 0;
    }
    MarquisCrcObject* object = m_loader->create();
    if (object == nullptr) {
        return 0;
    }
    object->table->calcCrc(object, text.data(), static_cast<std::int32_t>(count));
    const std::int32_t value = object->table->crcValue(object);
    object->table->release(object);
    return value;
}

bool CrcComponent::available()
{
    MarquisCrcObject* object = m_loader->create();
    if (object == nullptr) {
        return false;
    }
    object->table->release(object);
    return true;
}

const std::string& CrcComponent::errorText() const
{
    return m_loader->error();
}

const std::filesystem::path& CrcComponent::modulePath() const
{
    return m_loader->modulePath();
}

} // namespace marquis
