#include "model/gaugemodel.h"

namespace qvgauge {

namespace {

// A number for a short property: an int32, or a bool as hosts pass it (true as -1).
std::optional<int> asNumber(const PropertyValue& value)
{
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number;
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? -1 : 0;
    return std::nullopt;
}

std::optional<bool> asBool(const PropertyValue& value)
{
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return *number != 0;
    return std::nullopt;
}

std::optional<OleColor> asColor(const PropertyValue& value)
{
    if (const auto* color = std::get_if<OleColor>(&value))
        return *color;
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return static_cast<OleColor>(*number);
    return std::nullopt;
}

} // namespace

PropertyValue GaugeModel::property(DispId id) const
{
    auto number = [](int v) { return PropertyValue(static_cast<std::int32_t>(v)); };
    auto optional = [](const auto& read) -> PropertyValue {
        if (read)
            return *read;
        return std::monostate {};
    };
    switch (id) {
    case DispId::MousePointer:
        return number(m_props.mousePointer);
    case DispId::FontBold:
        return optional(fontBold());
    case DispId::FontItalic:
        return optional(fontItalic());
    case DispId::FontName:
        return optional(fontName());
    case DispId::FontSize:
        return optional(fontSize());
    case DispId::FontStrikethru:
        return optional(fontStrikethru());
    case DispId::FontUnderline:
        return optional(fontUnderline());
    case DispId::InnerTop:
        return number(m_props.innerTop);
    case DispId::InnerLeft:
        return number(m_props.innerLeft);
    case DispId::InnerRight:
        return number(m_props.innerRight);
    case DispId::InnerBottom:
        return number(m_props.innerBottom);
    case DispId::Min:
        return number(m_props.min);
    case DispId::Max:
        return number(m_props.max);
    case DispId::FillValueDefault:
    case DispId::FillValue:
        return number(m_props.fillValue);
    case DispId::GaugeStyle:
        return number(m_props.gaugeStyle);
    case DispId::Autosize:
        return m_props.autosize;
    case DispId::NeedleWidth:
        return number(m_props.needleWidth);
    case DispId::ReverseFill:
        return m_props.reverseFill;
    case DispId::ScaleMode:
        return number(m_props.scaleMode);
    case DispId::BevelStyle:
        return number(m_props.bevelStyle);
    case DispId::BevelSize:
        return number(m_props.bevelSize);
    case DispId::BevelStyleInner:
        return number(m_props.bevelStyleInner);
    case DispId::BevelSizeInner:
        return number(m_props.bevelSizeInner);
    case DispId::FillColor:
        return m_props.fillColor;
    case DispId::ShadowColor:
        return m_props.shadowColor;
    case DispId::BorderColor:
        return m_props.borderColor;
    case DispId::LightColor:
        return m_props.lightColor;
    case DispId::TextColor:
        return m_props.textColor;
    case DispId::BorderStyle:
        return number(m_props.borderStyle);
    case DispId::Alignment:
        return number(m_props.alignment);
    case DispId::FontStyle:
        return number(m_props.fontStyle);
    case DispId::FontTransparent:
        return m_props.fontTransparent;
    case DispId::MultiLine:
        return m_props.multiLine;
    case DispId::WallPaper:
        return number(m_props.wallPaper);
    case DispId::FillBarColor:
        return m_props.fillBarColor;
    case DispId::Caption:
        return m_stock.caption;
    case DispId::Enabled:
        return m_stock.enabled;
    case DispId::BackColor:
        return m_stock.backColor;
    case DispId::ForeColor:
        return m_stock.foreColor;
    case DispId::Appearance:
        return number(m_stock.appearance);
    case DispId::Picture:
    case DispId::PictureFill:
    case DispId::MouseIcon:
    case DispId::Font:
        break; // structured values have their own getters
    }
    return std::monostate {};
}

SetResult GaugeModel::setProperty(DispId id, const PropertyValue& value)
{
    const SetResult refused = SetResult::refused();
    const std::optional<int> n = asNumber(value);
    const std::optional<bool> flag = asBool(value);
    const std::optional<OleColor> color = asColor(value);
    const auto* text = std::get_if<std::string>(&value);

    switch (id) {
    case DispId::MousePointer:
        return n ? setMousePointer(*n) : refused;
    case DispId::InnerTop:
        return n ? setInnerTop(*n) : refused;
    case DispId::InnerLeft:
        return n ? setInnerLeft(*n) : refused;
    case DispId::InnerRight:
        return n ? setInnerRight(*n) : refused;
    case DispId::InnerBottom:
        return n ? setInnerBottom(*n) : refused;
    case DispId::Min:
        return n ? setMin(*n) : refused;
    case DispId::Max:
        return n ? setMax(*n) : refused;
    case DispId::FillValueDefault:
    case DispId::FillValue:
        return n ? setFillValue(*n) : refused;
    case DispId::GaugeStyle:
        return n ? setGaugeStyle(*n) : refused;
    case DispId::NeedleWidth:
        return n ? setNeedleWidth(*n) : refused;
    case DispId::ScaleMode:
        return n ? setScaleMode(*n) : refused;
    case DispId::BevelStyle:
        return n ? setBevelStyle(*n) : refused;
    case DispId::BevelSize:
        return n ? setBevelSize(*n) : refused;
    case DispId::BevelStyleInner:
        return n ? setBevelStyleInner(*n) : refused;
    case DispId::BevelSizeInner:
        return n ? setBevelSizeInner(*n) : refused;
    case DispId::BorderStyle:
        return n ? setBorderStyle(*n) : refused;
    case DispId::Alignment:
        return n ? setAlignment(*n) : refused;
    case DispId::FontStyle:
        return n ? setFontStyle(*n) : refused;
    case DispId::WallPaper:
        return n ? setWallPaper(*n) : refused;
    case DispId::Appearance:
        return n ? setAppearance(*n) : refused;
    case DispId::FontTransparent:
        return n ? setFontTransparent(*n) : refused;
    case DispId::Autosize:
        return flag ? setAutosize(*flag) : refused;
    case DispId::ReverseFill:
        return flag ? setReverseFill(*flag) : refused;
    case DispId::MultiLine:
        return flag ? setMultiLine(*flag) : refused;
    case DispId::Enabled:
        return flag ? setEnabled(*flag) : refused;
    case DispId::FontBold:
        return flag ? setFontBold(*flag) : refused;
    case DispId::FontItalic:
        return flag ? setFontItalic(*flag) : refused;
    case DispId::FontStrikethru:
        return flag ? setFontStrikethru(*flag) : refused;
    case DispId::FontUnderline:
        return flag ? setFontUnderline(*flag) : refused;
    case DispId::FillColor:
        return color ? setFillColor(*color) : refused;
    case DispId::ShadowColor:
        return color ? setShadowColor(*color) : refused;
    case DispId::BorderColor:
        return color ? setBorderColor(*color) : refused;
    case DispId::LightColor:
        return color ? setLightColor(*color) : refused;
    case DispId::TextColor:
        return color ? setTextColor(*color) : refused;
    case DispId::FillBarColor:
        return color ? setFillBarColor(*color) : refused;
    case DispId::BackColor:
        return color ? setBackColor(*color) : refused;
    case DispId::ForeColor:
        return color ? setForeColor(*color) : refused;
    case DispId::Caption:
        return text ? setCaption(*text) : refused;
    case DispId::FontName:
        return text ? setFontName(*text) : refused;
    case DispId::FontSize: {
        if (const auto* size = std::get_if<float>(&value))
            return setFontSize(*size);
        return n ? setFontSize(static_cast<float>(*n)) : refused;
    }
    case DispId::Picture:
    case DispId::PictureFill:
    case DispId::MouseIcon:
    case DispId::Font:
        break;
    }
    return refused;
}

} // namespace qvgauge
