#include "model/dispid.h"

#include <array>

namespace qvgauge {

namespace {

using enum PropertyType;

constexpr std::array Properties {
    PropertyInfo { DispId::MousePointer, "MousePointer", Short },
    PropertyInfo { DispId::FontBold, "FontBold", Bool },
    PropertyInfo { DispId::FontItalic, "FontItalic", Bool },
    PropertyInfo { DispId::FontName, "FontName", String },
    PropertyInfo { DispId::FontSize, "FontSize", Single },
    PropertyInfo { DispId::FontStrikethru, "FontStrikethru", Bool },
    PropertyInfo { DispId::FontUnderline, "FontUnderline", Bool },
    PropertyInfo { DispId::InnerTop, "InnerTop", Short },
    PropertyInfo { DispId::InnerLeft, "InnerLeft", Short },
    PropertyInfo { DispId::InnerRight, "InnerRight", Short },
    PropertyInfo { DispId::InnerBottom, "InnerBottom", Short },
    PropertyInfo { DispId::Min, "Min", Short },
    PropertyInfo { DispId::Max, "Max", Short },
    PropertyInfo { DispId::FillValue, "FillValue", Short },
    PropertyInfo { DispId::GaugeStyle, "GaugeStyle", Short },
    PropertyInfo { DispId::Autosize, "Autosize", Bool },
    PropertyInfo { DispId::Picture, "Picture", PropertyType::Picture },
    PropertyInfo { DispId::PictureFill, "PictureFill", PropertyType::Picture },
    PropertyInfo { DispId::NeedleWidth, "NeedleWidth", Short },
    PropertyInfo { DispId::ReverseFill, "ReverseFill", Bool },
    PropertyInfo { DispId::ScaleMode, "ScaleMode", Short },
    PropertyInfo { DispId::BevelStyle, "BevelStyle", Short },
    PropertyInfo { DispId::BevelSize, "BevelSize", Short },
    PropertyInfo { DispId::BevelStyleInner, "BevelStyleInner", Short },
    PropertyInfo { DispId::BevelSizeInner, "BevelSizeInner", Short },
    PropertyInfo { DispId::FillColor, "FillColor", Color },
    PropertyInfo { DispId::ShadowColor, "ShadowColor", Color },
    PropertyInfo { DispId::BorderColor, "BorderColor", Color },
    PropertyInfo { DispId::LightColor, "LightColor", Color },
    PropertyInfo { DispId::TextColor, "TextColor", Color },
    PropertyInfo { DispId::BorderStyle, "BorderStyle", Short },
    PropertyInfo { DispId::Alignment, "Alignment", Short },
    PropertyInfo { DispId::FontStyle, "FontStyle", Short },
    PropertyInfo { DispId::FontTransparent, "FontTransparent", Bool },
    PropertyInfo { DispId::MultiLine, "MultiLine", Bool },
    PropertyInfo { DispId::WallPaper, "WallPaper", Short },
    PropertyInfo { DispId::FillBarColor, "FillBarColor", Color },
    PropertyInfo { DispId::MouseIcon, "MouseIcon", PropertyType::Picture },
    PropertyInfo { DispId::Caption, "Caption", String },
    PropertyInfo { DispId::Enabled, "Enabled", Bool },
    PropertyInfo { DispId::Font, "Font", PropertyType::Font },
    PropertyInfo { DispId::BackColor, "BackColor", Color },
    PropertyInfo { DispId::ForeColor, "ForeColor", Color },
    PropertyInfo { DispId::Appearance, "Appearance", Short },
};

} // namespace

std::span<const PropertyInfo> gaugeProperties()
{
    return Properties;
}

const PropertyInfo* propertyInfo(DispId id)
{
    if (id == DispId::FillValueDefault)
        id = DispId::FillValue;
    for (const PropertyInfo& info : Properties) {
        if (info.id == id)
            return &info;
    }
    return nullptr;
}

std::optional<DispId> propertyByName(std::string_view name)
{
    for (const PropertyInfo& info : Properties) {
        if (info.name == name)
            return info.id;
    }
    return std::nullopt;
}

} // namespace qvgauge
