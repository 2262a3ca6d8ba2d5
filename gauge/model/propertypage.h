#pragma once

#include "model/dispid.h"
#include "model/setresult.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace qvgauge {

class GaugeModel;

// The three pages through which a form designer edits the gauge.
enum class PropertyPage {
    General,
    BevelsAndBorders,
    Gauge,
};

enum class FieldKind {
    List, // a drop-down list whose index is the property's value
    Check,
    Number, // a spin box limited to [minimum, maximum]
    Text, // at most maxLength characters
};

// One field of a page, bound to its property by dispatch identifier.
struct PageField {
    DispId property;
    FieldKind kind;
    std::string_view label; // with "&" before the mnemonic
    int minimum = 0;
    int maximum = 0;
    int maxLength = 0;
    std::span<const std::string_view> items = {}; // the list's entries
};

std::string_view pageTitle(PropertyPage page);
// The fields of `page` in the order the page shows them.
std::span<const PageField> pageFields(PropertyPage page);

// A field's value: the number or list index, the check box's state, or the text.
using FieldValue = std::variant<int, bool, std::string>;

// The outcome of applying a page. When refused, `focus` names the field to put the focus on;
// that field and the ones not yet applied stay dirty.
struct ApplyResult {
    bool ok = true;
    int code = 0;
    std::optional<DispId> focus;
};

// A property page without widgets: the fields' values, which of them the user changed, and
// applying the changed ones to the gauge. Min, Max and FillValue are applied together in an
// order the gauge accepts, so moving the whole range works in one Apply.
class PropertyPageModel {
public:
    explicit PropertyPageModel(PropertyPage page);

    PropertyPage page() const { return m_page; }
    std::span<const PageField> fields() const { return m_fields; }

    // Takes every field from the gauge; all fields are clean afterwards.
    void read(const GaugeModel& gauge);

    // The field's value; an unknown field gives 0.
    FieldValue value(DispId field) const;
    // The user changes a field. Numbers are limited to the field's range and texts to its
    // length; a list index outside the list, a value of the wrong kind or a field that is not
    // on this page is not taken (false).
    bool edit(DispId field, FieldValue value);

    bool isDirty() const;
    bool isDirty(DispId field) const;

    // Applies the changed fields to the gauge. Fields the gauge took become clean; unchanged
    // fields are read again, as a new Min or Max may have moved FillValue.
    ApplyResult apply(GaugeModel& gauge);

private:
    struct Slot {
        const PageField* field;
        FieldValue value;
        FieldValue original;
    };

    Slot* slot(DispId field);
    const Slot* slot(DispId field) const;
    ApplyResult applyRange(GaugeModel& gauge);
    ApplyResult applyOne(GaugeModel& gauge, Slot& slot);
    void refreshClean(const GaugeModel& gauge);

    PropertyPage m_page;
    std::span<const PageField> m_fields;
    std::vector<Slot> m_slots;
};

} // namespace qvgauge
