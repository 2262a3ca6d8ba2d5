#include "model/gaugemodel.h"

namespace qvgauge {

namespace {

// A new gauge has a range of 0 to 100, but saved data without a Max means the full range.
constexpr std::int16_t PersistedMax = 32767;
constexpr PersistVersion CurrentVersion { 7, 0 };

} // namespace

// The one list of persisted properties, in the order a stream keeps them, each with the value a
// load uses when the bag lacks it. A new gauge's own values are set apart from this in reset().
void GaugeModel::exchange(PropertyExchange& px)
{
    px.version(CurrentVersion);

    const StockProperties stock;
    px.value("Caption", m_stock.caption, stock.caption);
    px.value("Enabled", m_stock.enabled, stock.enabled);
    px.value("Font.Name", m_stock.font.name, stock.font.name);
    px.value("Font.Size", m_stock.font.size, stock.font.size);
    px.value("Font.Bold", m_stock.font.bold, stock.font.bold);
    px.value("Font.Italic", m_stock.font.italic, stock.font.italic);
    px.value("Font.Underline", m_stock.font.underline, stock.font.underline);
    px.value("Font.Strikethru", m_stock.font.strikethru, stock.font.strikethru);
    px.value("BackColor", m_stock.backColor, stock.backColor);
    px.value("ForeColor", m_stock.foreColor, stock.foreColor);
    px.value("Appearance", m_stock.appearance, stock.appearance);

    px.value("InnerTop", m_props.innerTop, 0);
    px.value("InnerLeft", m_props.innerLeft, 0);
    px.value("InnerRight", m_props.innerRight, 0);
    px.value("InnerBottom", m_props.innerBottom, 0);
    px.value("Min", m_props.min, 0);
    px.value("Max", m_props.max, PersistedMax);
    px.value("FillValue", m_props.fillValue, 0);
    px.value("GaugeStyle", m_props.gaugeStyle, 0);
    px.value("Autosize", m_props.autosize, false);
    px.value("NeedleWidth", m_props.needleWidth, 0);
    px.value("ReverseFill", m_props.reverseFill, false);
    px.value("ScaleMode", m_props.scaleMode, 0);
    px.value("BevelStyle", m_props.bevelStyle, 0);
    px.value("BevelSize", m_props.bevelSize, 0);
    px.value("BevelStyleInner", m_props.bevelStyleInner, 0);
    px.value("BevelSizeInner", m_props.bevelSizeInner, 0);
    px.value("FillColor", m_props.fillColor, 0);
    px.value("ShadowColor", m_props.shadowColor, 0);
    px.value("BorderColor", m_props.borderColor, 0);
    px.value("LightColor", m_props.lightColor, 0);
    px.value("TextColor", m_props.textColor, 0);
    px.value("BorderStyle", m_props.borderStyle, 0);
    px.value("Alignment", m_props.alignment, 0);
    px.value("FontStyle", m_props.fontStyle, 0);
    px.value("FontTransparent", m_props.fontTransparent, false);
    px.value("MultiLine", m_props.multiLine, false);
    px.value("WallPaper", m_props.wallPaper, 0);
    px.value("FillBarColor", m_props.fillBarColor, 0);

    px.value("MousePointer", m_props.mousePointer, 0);

    px.value("Picture", m_props.picture);
    px.value("PictureFill", m_props.pictureFill);
    px.value("MouseIcon", m_props.mouseIcon);
}

void GaugeModel::save(PropertyBag& bag) const
{
    // Saving only reads the values; the exchange takes them by reference to share one list with
    // loading.
    PropertyExchange px(ExchangeMode::Save, &bag);
    const_cast<GaugeModel*>(this)->exchange(px);
}

void GaugeModel::load(PropertyBag& bag)
{
    PropertyExchange px(ExchangeMode::Load, &bag);
    exchange(px);
    m_loadedVersion = px.loadedVersion();
    m_modified = false;
}

void GaugeModel::reset(std::string_view displayName)
{
    PropertyExchange px(ExchangeMode::Reset, nullptr);
    exchange(px);
    m_props = GaugeProperties {};
    m_stock.caption = displayName;
    m_modified = false;
}

} // namespace qvgauge
