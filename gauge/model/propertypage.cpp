#include "model/propertypage.h"

#include "model/gaugemodel.h"

#include <algorithm>
#include <array>

namespace qvgauge {

namespace {

constexpr int ShortMax = 32767;

constexpr std::array<std::string_view, 3> AlignmentItems { "0 - Left", "1 - Right", "2 - Center" };
constexpr std::array<std::string_view, 5> FontStyleItems { "0 - None", "1 - Raised",
    "2 - Raised with more shading", "3 - Lowered", "4 - Lowered with more shading" };
constexpr std::array<std::string_view, 4> ScaleModeItems { "0 - Reserved", "1 - Twips",
    "2 - Reserved", "3 - Pixels" };
constexpr std::array<std::string_view, 3> BorderStyleItems { "0 - No border", "1 - Single line",
    "2 - Single line with rounded corners" };
constexpr std::array<std::string_view, 5> BevelStyleItems { "0 - Lowered", "1 - Raised",
    "2 - Chiseled", "3 - Shadowed right", "4 Shadowed left" };
constexpr std::array<std::string_view, 3> BevelStyleInnerItems { "0 - Lowered", "1 - Raised",
    "2 - Chiseled" };
constexpr std::array<std::string_view, 6> GaugeStyleItems { "0 - Horizontal bar",
    "1 - Vertical bar", "2 - Semi-needle", "3 - Full-needle", "4 - Horizontal bitmap",
    "5 - Vertical bitmap" };

template <std::size_t N>
constexpr PageField list(
    DispId id, std::string_view label, const std::array<std::string_view, N>& items)
{
    return { id, FieldKind::List, label, 0, static_cast<int>(N) - 1, 0, items };
}

constexpr PageField number(DispId id, std::string_view label, int minimum = 0)
{
    return { id, FieldKind::Number, label, minimum, ShortMax };
}

constexpr PageField check(DispId id, std::string_view label)
{
    return { id, FieldKind::Check, label };
}

const std::array GeneralFields {
    list(DispId::Alignment, "&Alignment:", AlignmentItems),
    list(DispId::FontStyle, "Font&Style:", FontStyleItems),
    check(DispId::MultiLine, "&MultiLine"),
    list(DispId::ScaleMode, "Scale&Mode:", ScaleModeItems),
    check(DispId::Autosize, "A&utoSize"),
    PageField { DispId::Caption, FieldKind::Text, "&Caption:", 0, 0, 255 },
};

const std::array BevelFields {
    list(DispId::BorderStyle, "&BorderStyle:", BorderStyleItems),
    list(DispId::BevelStyle, "Bevel&Style:", BevelStyleItems),
    list(DispId::BevelStyleInner, "BevelStyle&Innner:", BevelStyleInnerItems),
    number(DispId::BevelSize, "Be&velSize:"),
    number(DispId::BevelSizeInner, "BevelSi&zeInner:"),
};

const std::array GaugeFields {
    number(DispId::FillValue, "Fill&Value:"),
    number(DispId::Min, "Mi&n:"),
    number(DispId::Max, "Ma&x:"),
    check(DispId::ReverseFill, "Reverse&Fill"),
    number(DispId::InnerTop, "Inner&Top:"),
    number(DispId::InnerLeft, "Inner&Left:"),
    number(DispId::InnerRight, "Inner&Right:"),
    number(DispId::InnerBottom, "Inner&Bottom:"),
    list(DispId::GaugeStyle, "&GaugeStyle:", GaugeStyleItems),
    number(DispId::NeedleWidth, "&NeedleWidth:", 1),
};

bool isRangeField(DispId id)
{
    return id == DispId::Min || id == DispId::Max || id == DispId::FillValue;
}

// The first `limit` characters of UTF-8 text.
std::string truncated(std::string text, int limit)
{
    int characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;
        if (characters++ == limit) {
            text.resize(i);
            break;
        }
    }
    return text;
}

FieldValue fieldFrom(const PageField& field, const PropertyValue& value)
{
    switch (field.kind) {
    case FieldKind::Check:
        if (const auto* flag = std::get_if<bool>(&value))
            return *flag;
        return false;
    case FieldKind::Text:
        if (const auto* text = std::get_if<std::string>(&value))
            return *text;
        return std::string();
    case FieldKind::List:
    case FieldKind::Number:
        if (const auto* n = std::get_if<std::int32_t>(&value))
            return static_cast<int>(*n);
        return 0;
    }
    return 0;
}

PropertyValue propertyFrom(const FieldValue& value)
{
    if (const auto* n = std::get_if<int>(&value))
        return static_cast<std::int32_t>(*n);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag;
    return std::get<std::string>(value);
}

} // namespace

std::string_view pageTitle(PropertyPage page)
{
    switch (page) {
    case PropertyPage::General:
        return "General";
    case PropertyPage::BevelsAndBorders:
        return "Bevels and Borders";
    case PropertyPage::Gauge:
        return "Gauge";
    }
    return {};
}

std::span<const PageField> pageFields(PropertyPage page)
{
    switch (page) {
    case PropertyPage::General:
        return GeneralFields;
    case PropertyPage::BevelsAndBorders:
        return BevelFields;
    case PropertyPage::Gauge:
        return GaugeFields;
    }
    return {};
}

PropertyPageModel::PropertyPageModel(PropertyPage page)
    : m_page(page)
    , m_fields(pageFields(page))
{
    for (const PageField& field : m_fields) {
        const FieldValue empty = field.kind == FieldKind::Check ? FieldValue(false)
            : field.kind == FieldKind::Text                     ? FieldValue(std::string())
                                                                : FieldValue(0);
        m_slots.push_back({ &field, empty, empty });
    }
}

PropertyPageModel::Slot* PropertyPageModel::slot(DispId field)
{
    for (Slot& s : m_slots) {
        if (s.field->property == field)
            return &s;
    }
    return nullptr;
}

const PropertyPageModel::Slot* PropertyPageModel::slot(DispId field) const
{
    return const_cast<PropertyPageModel*>(this)->slot(field);
}

void PropertyPageModel::read(const GaugeModel& gauge)
{
    for (Slot& s : m_slots) {
        s.value = fieldFrom(*s.field, gauge.property(s.field->property));
        s.original = s.value;
    }
}

void PropertyPageModel::refreshClean(const GaugeModel& gauge)
{
    for (Slot& s : m_slots) {
        if (s.value == s.original) {
            s.value = fieldFrom(*s.field, gauge.property(s.field->property));
            s.original = s.value;
        }
    }
}

FieldValue PropertyPageModel::value(DispId field) const
{
    const Slot* s = slot(field);
    return s ? s->value : FieldValue(0);
}

bool PropertyPageModel::edit(DispId field, FieldValue value)
{
    Slot* s = slot(field);
    if (!s)
        return false;
    const PageField& f = *s->field;
    switch (f.kind) {
    case FieldKind::Check:
        if (!std::holds_alternative<bool>(value))
            return false;
        break;
    case FieldKind::Text:
        if (!std::holds_alternative<std::string>(value))
            return false;
        value = truncated(std::get<std::string>(std::move(value)), f.maxLength);
        break;
    case FieldKind::List:
        if (!std::holds_alternative<int>(value) || std::get<int>(value) < f.minimum ||
            std::get<int>(value) > f.maximum)
            return false;
        break;
    case FieldKind::Number:
        if (!std::holds_alternative<int>(value))
            return false;
        value = std::clamp(std::get<int>(value), f.minimum, f.maximum);
        break;
    }
    s->value = std::move(value);
    return true;
}

bool PropertyPageModel::isDirty() const
{
    return std::any_of(
        m_slots.begin(), m_slots.end(), [](const Slot& s) { return s.value != s.original; });
}

bool PropertyPageModel::isDirty(DispId field) const
{
    const Slot* s = slot(field);
    return s && s->value != s->original;
}

ApplyResult PropertyPageModel::applyOne(GaugeModel& gauge, Slot& s)
{
    const SetResult result = gauge.setProperty(s.field->property, propertyFrom(s.value));
    if (!result.ok)
        return { false, result.code, s.field->property };
    s.original = s.value;
    return {};
}

// Min, Max and FillValue as one change. The new range is checked as a whole first, so a
// refused combination changes none of the three. Min goes first unless it would reach the
// current Max, in which case Max makes room for it; FillValue comes last, inside the new range.
ApplyResult PropertyPageModel::applyRange(GaugeModel& gauge)
{
    Slot* minSlot = slot(DispId::Min);
    Slot* maxSlot = slot(DispId::Max);
    Slot* fillSlot = slot(DispId::FillValue);
    if (!minSlot || !maxSlot || !fillSlot)
        return {};
    const bool minDirty = minSlot->value != minSlot->original;
    const bool maxDirty = maxSlot->value != maxSlot->original;
    const bool fillDirty = fillSlot->value != fillSlot->original;
    if (!minDirty && !maxDirty && !fillDirty)
        return {};

    const int newMin = minDirty ? std::get<int>(minSlot->value) : gauge.min();
    const int newMax = maxDirty ? std::get<int>(maxSlot->value) : gauge.max();
    const int newFill = std::get<int>(fillSlot->value);
    if (newMin < 0)
        return { false, InvalidPropertyValue, DispId::Min };
    if (newMax <= newMin)
        return { false, InvalidPropertyValue, maxDirty ? DispId::Max : DispId::Min };
    if (fillDirty && (newFill < newMin || newFill > newMax))
        return { false, InvalidPropertyValue, DispId::FillValue };

    std::vector<Slot*> order;
    if (newMin < gauge.max())
        order = { minSlot, maxSlot };
    else
        order = { maxSlot, minSlot };
    order.push_back(fillSlot);
    for (Slot* s : order) {
        if (s->value == s->original)
            continue;
        if (ApplyResult result = applyOne(gauge, *s); !result.ok)
            return result;
    }
    return {};
}

ApplyResult PropertyPageModel::apply(GaugeModel& gauge)
{
    ApplyResult result = applyRange(gauge);
    if (result.ok) {
        for (Slot& s : m_slots) {
            if (isRangeField(s.field->property) || s.value == s.original)
                continue;
            result = applyOne(gauge, s);
            if (!result.ok)
                break;
        }
    }
    refreshClean(gauge);
    return result;
}

} // namespace qvgauge
