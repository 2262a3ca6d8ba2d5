#include "model/gaugemodel.h"

#include <cmath>
#include <limits>
#include <utility>

namespace qvgauge {

namespace {

constexpr int Short16Max = std::numeric_limits<std::int16_t>::max();

bool fitsShort(int value)
{
    return value >= std::numeric_limits<std::int16_t>::min() && value <= Short16Max;
}

} // namespace

GaugeModel::GaugeModel() = default;

void GaugeModel::notify(DispId id)
{
    m_modified = true;
    if (m_observer)
        m_observer->propertyChanged(id);
}

void GaugeModel::fireChange()
{
    if (m_observer)
        m_observer->changed();
}

SetResult GaugeModel::setShort(std::int16_t& field, int value, int lowest, int highest, DispId id)
{
    if (value < lowest || value > highest)
        return SetResult::refused();
    field = static_cast<std::int16_t>(value);
    notify(id);
    return SetResult::accepted();
}

template <typename T> SetResult GaugeModel::setPlain(T& field, T value, DispId id)
{
    field = std::move(value);
    notify(id);
    return SetResult::accepted();
}

// --- Range and value ---------------------------------------------------------------------------

SetResult GaugeModel::setMin(int value)
{
    if (value < 0 || value >= m_props.max)
        return SetResult::refused();
    if (value == m_props.min)
        return SetResult::accepted();
    m_props.min = static_cast<std::int16_t>(value);
    if (m_props.fillValue < value) {
        m_props.fillValue = static_cast<std::int16_t>(value);
        notify(DispId::FillValue);
        fireChange();
    }
    notify(DispId::Min);
    return SetResult::accepted();
}

SetResult GaugeModel::setMax(int value)
{
    if (value < 0 || value <= m_props.min || value > Short16Max)
        return SetResult::refused();
    if (value == m_props.max)
        return SetResult::accepted();
    m_props.max = static_cast<std::int16_t>(value);
    if (value < m_props.fillValue) {
        m_props.fillValue = static_cast<std::int16_t>(value);
        notify(DispId::FillValue);
        fireChange();
    }
    notify(DispId::Max);
    return SetResult::accepted();
}

SetResult GaugeModel::setFillValue(int value)
{
    // An out-of-range value is clamped to the nearer end and still reported as refused.
    const bool below = value < m_props.min;
    const bool above = !below && value > m_props.max;
    const std::int16_t stored =
        below ? m_props.min : (above ? m_props.max : static_cast<std::int16_t>(value));
    if (stored != m_props.fillValue) {
        m_props.fillValue = stored;
        notify(DispId::FillValue);
    }
    if (below || above)
        return SetResult::refused();
    fireChange();
    return SetResult::accepted();
}

// --- Margins and their unit --------------------------------------------------------------------

SetResult GaugeModel::setInnerTop(int value)
{
    return setShort(m_props.innerTop, value, 0, Short16Max, DispId::InnerTop);
}

SetResult GaugeModel::setInnerLeft(int value)
{
    return setShort(m_props.innerLeft, value, 0, Short16Max, DispId::InnerLeft);
}

SetResult GaugeModel::setInnerRight(int value)
{
    return setShort(m_props.innerRight, value, 0, Short16Max, DispId::InnerRight);
}

SetResult GaugeModel::setInnerBottom(int value)
{
    return setShort(m_props.innerBottom, value, 0, Short16Max, DispId::InnerBottom);
}

SetResult GaugeModel::setScaleMode(int value)
{
    if (value < 0 || value > 7)
        return SetResult::refused();
    const auto twips = static_cast<std::int16_t>(ScaleMode::Twips);
    const auto mode = value == twips ? twips : static_cast<std::int16_t>(ScaleMode::Pixels);

    struct Margin {
        std::int16_t* field;
        DispId id;
        bool vertical;
        int converted;
    };
    Margin margins[] = {
        { &m_props.innerTop, DispId::InnerTop, true, m_props.innerTop },
        { &m_props.innerLeft, DispId::InnerLeft, false, m_props.innerLeft },
        { &m_props.innerRight, DispId::InnerRight, false, m_props.innerRight },
        { &m_props.innerBottom, DispId::InnerBottom, true, m_props.innerBottom },
    };
    // Any value but twips means pixels (a loaded gauge may hold 0), so the margins change
    // their unit only when twips are switched on or off.
    const bool convert = m_windowCreated && (mode == twips) != (m_props.scaleMode == twips);
    if (convert) {
        // Converted in full int range first: a margin that would not fit keeps the whole
        // switch from happening.
        for (Margin& margin : margins) {
            const int v = *margin.field;
            if (mode == twips)
                margin.converted = margin.vertical ? YPixelsToTwips(v, m_resolution)
                                                   : XPixelsToTwips(v, m_resolution);
            else
                margin.converted = margin.vertical ? YTwipsToPixels(v, m_resolution)
                                                   : XTwipsToPixels(v, m_resolution);
            if (!fitsShort(margin.converted))
                return SetResult::refused();
        }
    }
    m_props.scaleMode = mode;
    if (convert) {
        for (const Margin& margin : margins) {
            if (*margin.field != margin.converted) {
                *margin.field = static_cast<std::int16_t>(margin.converted);
                notify(margin.id);
            }
        }
    }
    notify(DispId::ScaleMode);
    return SetResult::accepted();
}

// --- Styles, sizes and flags -------------------------------------------------------------------

SetResult GaugeModel::setGaugeStyle(int value)
{
    return setShort(m_props.gaugeStyle, value, 0, 5, DispId::GaugeStyle);
}

SetResult GaugeModel::setBevelStyle(int value)
{
    return setShort(m_props.bevelStyle, value, 0, 4, DispId::BevelStyle);
}

SetResult GaugeModel::setBevelSize(int value)
{
    return setShort(m_props.bevelSize, value, 0, Short16Max, DispId::BevelSize);
}

SetResult GaugeModel::setBevelStyleInner(int value)
{
    return setShort(m_props.bevelStyleInner, value, 0, 2, DispId::BevelStyleInner);
}

SetResult GaugeModel::setBevelSizeInner(int value)
{
    return setShort(m_props.bevelSizeInner, value, 0, Short16Max, DispId::BevelSizeInner);
}

SetResult GaugeModel::setBorderStyle(int value)
{
    return setShort(m_props.borderStyle, value, 0, 2, DispId::BorderStyle);
}

SetResult GaugeModel::setNeedleWidth(int value)
{
    return setShort(m_props.needleWidth, value, 1, Short16Max, DispId::NeedleWidth);
}

SetResult GaugeModel::setReverseFill(bool value)
{
    return setPlain(m_props.reverseFill, value, DispId::ReverseFill);
}

SetResult GaugeModel::setAutosize(bool value)
{
    return setPlain(m_props.autosize, value, DispId::Autosize);
}

SetResult GaugeModel::setWallPaper(int value)
{
    return setShort(m_props.wallPaper, value, 0, 2, DispId::WallPaper);
}

SetResult GaugeModel::setAlignment(int value)
{
    return setShort(m_props.alignment, value, 0, 2, DispId::Alignment);
}

SetResult GaugeModel::setFontStyle(int value)
{
    return setShort(m_props.fontStyle, value, 0, 4, DispId::FontStyle);
}

SetResult GaugeModel::setFontTransparent(int value)
{
    if (value < -1 || value > 1)
        return SetResult::refused();
    return setPlain(m_props.fontTransparent, value != 0, DispId::FontTransparent);
}

SetResult GaugeModel::setMultiLine(bool value)
{
    return setPlain(m_props.multiLine, value, DispId::MultiLine);
}

SetResult GaugeModel::setMousePointer(int value)
{
    if (!isMousePointer(value))
        return SetResult::refused();
    return setPlain(m_props.mousePointer, static_cast<std::int16_t>(value), DispId::MousePointer);
}

// --- Colours -----------------------------------------------------------------------------------

SetResult GaugeModel::setFillColor(OleColor value)
{
    return setPlain(m_props.fillColor, value, DispId::FillColor);
}

SetResult GaugeModel::setShadowColor(OleColor value)
{
    return setPlain(m_props.shadowColor, value, DispId::ShadowColor);
}

SetResult GaugeModel::setBorderColor(OleColor value)
{
    return setPlain(m_props.borderColor, value, DispId::BorderColor);
}

SetResult GaugeModel::setLightColor(OleColor value)
{
    return setPlain(m_props.lightColor, value, DispId::LightColor);
}

SetResult GaugeModel::setTextColor(OleColor value)
{
    return setPlain(m_props.textColor, value, DispId::TextColor);
}

SetResult GaugeModel::setFillBarColor(OleColor value)
{
    return setPlain(m_props.fillBarColor, value, DispId::FillBarColor);
}

// --- Pictures ----------------------------------------------------------------------------------

SetResult GaugeModel::setPicture(Picture value)
{
    if (!acceptsAsFill(value.kind) || value.data.size() > MaxPictureBytes)
        return SetResult::refused();
    return setPlain(m_props.picture, std::move(value), DispId::Picture);
}

SetResult GaugeModel::setPictureFill(Picture value)
{
    if (!acceptsAsFill(value.kind) || value.data.size() > MaxPictureBytes)
        return SetResult::refused();
    return setPlain(m_props.pictureFill, std::move(value), DispId::PictureFill);
}

SetResult GaugeModel::setMouseIcon(Picture value)
{
    if (!acceptsAsCursor(value.kind) || value.data.size() > MaxPictureBytes)
        return SetResult::refused();
    return setPlain(m_props.mouseIcon, std::move(value), DispId::MouseIcon);
}

// --- Stock properties and the font shortcuts ---------------------------------------------------

SetResult GaugeModel::setCaption(std::string value)
{
    if (value.size() > MaxStringBytes)
        return SetResult::refused();
    return setPlain(m_stock.caption, std::move(value), DispId::Caption);
}

SetResult GaugeModel::setEnabled(bool value)
{
    return setPlain(m_stock.enabled, value, DispId::Enabled);
}

SetResult GaugeModel::setFont(FontDescription value)
{
    if (!std::isfinite(value.size) || value.size <= 0.0f || value.name.size() > MaxStringBytes)
        return SetResult::refused();
    return setPlain(m_stock.font, std::move(value), DispId::Font);
}

SetResult GaugeModel::setBackColor(OleColor value)
{
    return setPlain(m_stock.backColor, value, DispId::BackColor);
}

SetResult GaugeModel::setForeColor(OleColor value)
{
    return setPlain(m_stock.foreColor, value, DispId::ForeColor);
}

SetResult GaugeModel::setAppearance(int value)
{
    return setShort(m_stock.appearance, value, 0, 1, DispId::Appearance);
}

std::optional<bool> GaugeModel::fontBold() const
{
    return m_userMode ? std::optional(m_stock.font.bold) : std::nullopt;
}

std::optional<bool> GaugeModel::fontItalic() const
{
    return m_userMode ? std::optional(m_stock.font.italic) : std::nullopt;
}

std::optional<std::string> GaugeModel::fontName() const
{
    return m_userMode ? std::optional(m_stock.font.name) : std::nullopt;
}

std::optional<float> GaugeModel::fontSize() const
{
    return m_userMode ? std::optional(m_stock.font.size) : std::nullopt;
}

std::optional<bool> GaugeModel::fontStrikethru() const
{
    return m_userMode ? std::optional(m_stock.font.strikethru) : std::nullopt;
}

std::optional<bool> GaugeModel::fontUnderline() const
{
    return m_userMode ? std::optional(m_stock.font.underline) : std::nullopt;
}

SetResult GaugeModel::setFontBold(bool value)
{
    return setPlain(m_stock.font.bold, value, DispId::FontBold);
}

SetResult GaugeModel::setFontItalic(bool value)
{
    return setPlain(m_stock.font.italic, value, DispId::FontItalic);
}

SetResult GaugeModel::setFontName(std::string value)
{
    if (value.size() > MaxStringBytes)
        return SetResult::refused();
    return setPlain(m_stock.font.name, std::move(value), DispId::FontName);
}

SetResult GaugeModel::setFontSize(float value)
{
    if (!std::isfinite(value) || value <= 0.0f)
        return SetResult::refused();
    return setPlain(m_stock.font.size, value, DispId::FontSize);
}

SetResult GaugeModel::setFontStrikethru(bool value)
{
    return setPlain(m_stock.font.strikethru, value, DispId::FontStrikethru);
}

SetResult GaugeModel::setFontUnderline(bool value)
{
    return setPlain(m_stock.font.underline, value, DispId::FontUnderline);
}

} // namespace qvgauge
