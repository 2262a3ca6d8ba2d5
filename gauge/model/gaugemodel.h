#pragma once

#include "model/dispid.h"
#include "model/gaugeproperties.h"
#include "model/propertybag.h"
#include "model/setresult.h"
#include "model/units.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace qvgauge {

// Told of every successful change, so that the host can redraw and update its bindings.
class GaugeObserver {
public:
    virtual ~GaugeObserver() = default;
    // A property changed (or was set again to its value). Comes after the property holds it.
    virtual void propertyChanged(DispId id) = 0;
    // The gauge's Change event: FillValue was set to a valid value, or a new Min or Max
    // dragged it along.
    virtual void changed() = 0;
};

// A property's value in the generic access by dispatch identifier: shorts as int32, colours as
// OleColor, FontSize as float, strings as std::string; monostate where there is nothing to read.
using PropertyValue =
    std::variant<std::monostate, bool, std::int32_t, OleColor, float, std::string>;

// The gauge's property model without any window: every setter checks its value, stores it and
// tells the observer; a refused value changes nothing and reports error 380. Persistence runs
// through one exchange over a property bag; a load stores what it finds without the setters'
// checks.
class GaugeModel {
public:
    GaugeModel();

    void setObserver(GaugeObserver* observer) { m_observer = observer; }

    // The host's state: user mode (run time) versus design mode, whether the gauge's window
    // exists (only then does a new ScaleMode convert the margins), and the screen resolution.
    void setUserMode(bool userMode) { m_userMode = userMode; }
    bool userMode() const { return m_userMode; }
    void setWindowCreated(bool created) { m_windowCreated = created; }
    void setResolution(Resolution resolution) { m_resolution = resolution; }
    Resolution resolution() const { return m_resolution; }

    // Set by every successful change, cleared by load, reset and markSaved().
    bool isModified() const { return m_modified; }
    void markSaved() { m_modified = false; }

    // Persistence. Save and load run the same exchange; reset gives the values of a new gauge
    // with `displayName` as its caption.
    void save(PropertyBag& bag) const;
    void load(PropertyBag& bag);
    void reset(std::string_view displayName = {});
    PersistVersion loadedVersion() const { return m_loadedVersion; }

    const GaugeProperties& properties() const { return m_props; }
    const StockProperties& stock() const { return m_stock; }

    // Generic access by dispatch identifier (property pages, hosts that bind by number).
    PropertyValue property(DispId id) const;
    SetResult setProperty(DispId id, const PropertyValue& value);

    // The range and the value.
    int min() const { return m_props.min; }
    int max() const { return m_props.max; }
    int fillValue() const { return m_props.fillValue; }
    SetResult setMin(int value);
    SetResult setMax(int value);
    SetResult setFillValue(int value);

    // Margins, in ScaleMode units.
    int innerTop() const { return m_props.innerTop; }
    int innerLeft() const { return m_props.innerLeft; }
    int innerRight() const { return m_props.innerRight; }
    int innerBottom() const { return m_props.innerBottom; }
    SetResult setInnerTop(int value);
    SetResult setInnerLeft(int value);
    SetResult setInnerRight(int value);
    SetResult setInnerBottom(int value);
    ScaleMode scaleMode() const { return static_cast<ScaleMode>(m_props.scaleMode); }
    SetResult setScaleMode(int value);

    // Styles and sizes.
    GaugeStyle gaugeStyle() const { return static_cast<GaugeStyle>(m_props.gaugeStyle); }
    SetResult setGaugeStyle(int value);
    BevelStyle bevelStyle() const { return static_cast<BevelStyle>(m_props.bevelStyle); }
    SetResult setBevelStyle(int value);
    int bevelSize() const { return m_props.bevelSize; }
    SetResult setBevelSize(int value);
    BevelStyleInner bevelStyleInner() const
    {
        return static_cast<BevelStyleInner>(m_props.bevelStyleInner);
    }
    SetResult setBevelStyleInner(int value);
    int bevelSizeInner() const { return m_props.bevelSizeInner; }
    SetResult setBevelSizeInner(int value);
    BorderStyle borderStyle() const { return static_cast<BorderStyle>(m_props.borderStyle); }
    SetResult setBorderStyle(int value);
    int needleWidth() const { return m_props.needleWidth; }
    SetResult setNeedleWidth(int value);
    bool reverseFill() const { return m_props.reverseFill; }
    SetResult setReverseFill(bool value);
    bool autosize() const { return m_props.autosize; }
    SetResult setAutosize(bool value);
    WallPaper wallPaper() const { return static_cast<WallPaper>(m_props.wallPaper); }
    SetResult setWallPaper(int value);

    // Caption layout.
    Alignment alignment() const { return static_cast<Alignment>(m_props.alignment); }
    SetResult setAlignment(int value);
    FontStyle fontStyle() const { return static_cast<FontStyle>(m_props.fontStyle); }
    SetResult setFontStyle(int value);
    bool fontTransparent() const { return m_props.fontTransparent; }
    // Takes -1 or 1 (true) and 0 (false), as hosts pass booleans as numbers.
    SetResult setFontTransparent(int value);
    bool multiLine() const { return m_props.multiLine; }
    SetResult setMultiLine(bool value);

    // Colours take any value.
    OleColor fillColor() const { return m_props.fillColor; }
    OleColor shadowColor() const { return m_props.shadowColor; }
    OleColor borderColor() const { return m_props.borderColor; }
    OleColor lightColor() const { return m_props.lightColor; }
    OleColor textColor() const { return m_props.textColor; }
    OleColor fillBarColor() const { return m_props.fillBarColor; }
    SetResult setFillColor(OleColor value);
    SetResult setShadowColor(OleColor value);
    SetResult setBorderColor(OleColor value);
    SetResult setLightColor(OleColor value);
    SetResult setTextColor(OleColor value);
    SetResult setFillBarColor(OleColor value);

    // Pictures: Picture and PictureFill take empty or a bitmap, MouseIcon empty or an icon.
    const Picture& picture() const { return m_props.picture; }
    const Picture& pictureFill() const { return m_props.pictureFill; }
    const Picture& mouseIcon() const { return m_props.mouseIcon; }
    SetResult setPicture(Picture value);
    SetResult setPictureFill(Picture value);
    SetResult setMouseIcon(Picture value);

    MousePointer mousePointer() const { return static_cast<MousePointer>(m_props.mousePointer); }
    SetResult setMousePointer(int value);

    // Stock properties.
    const std::string& caption() const { return m_stock.caption; }
    SetResult setCaption(std::string value);
    bool enabled() const { return m_stock.enabled; }
    SetResult setEnabled(bool value);
    const FontDescription& font() const { return m_stock.font; }
    SetResult setFont(FontDescription value);
    OleColor backColor() const { return m_stock.backColor; }
    SetResult setBackColor(OleColor value);
    OleColor foreColor() const { return m_stock.foreColor; }
    SetResult setForeColor(OleColor value);
    Appearance appearance() const { return static_cast<Appearance>(m_stock.appearance); }
    SetResult setAppearance(int value);

    // The font shortcuts. Reading them is refused (error 394) in design mode.
    std::optional<bool> fontBold() const;
    std::optional<bool> fontItalic() const;
    std::optional<std::string> fontName() const;
    std::optional<float> fontSize() const;
    std::optional<bool> fontStrikethru() const;
    std::optional<bool> fontUnderline() const;
    SetResult setFontBold(bool value);
    SetResult setFontItalic(bool value);
    SetResult setFontName(std::string value);
    SetResult setFontSize(float value);
    SetResult setFontStrikethru(bool value);
    SetResult setFontUnderline(bool value);

private:
    void exchange(PropertyExchange& px);
    SetResult setShort(std::int16_t& field, int value, int lowest, int highest, DispId id);
    template <typename T> SetResult setPlain(T& field, T value, DispId id);
    void notify(DispId id);
    void fireChange();

    GaugeProperties m_props;
    StockProperties m_stock;
    GaugeObserver* m_observer = nullptr;
    Resolution m_resolution;
    PersistVersion m_loadedVersion;
    bool m_userMode = false;
    bool m_windowCreated = false;
    bool m_modified = false;
};

} // namespace qvgauge
