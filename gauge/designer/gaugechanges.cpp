#include "designer/gaugechanges.h"

#include "model/dispid.h"
#include "model/propertypage.h"
#include "widgets/qv3dgauge.h"

#include <algorithm>
#include <array>

namespace qvgauge {

namespace {

QByteArray nameOf(DispId id)
{
    const PropertyInfo* info = propertyInfo(id);
    Q_ASSERT(info);
    return QByteArray(info->name.data(), static_cast<qsizetype>(info->name.size()));
}

// Every property on the three pages, once each, in the pages' order.
std::vector<DispId> pageProperties()
{
    std::vector<DispId> ids;
    for (PropertyPage page :
        { PropertyPage::General, PropertyPage::BevelsAndBorders, PropertyPage::Gauge }) {
        for (const PageField& field : pageFields(page)) {
            if (std::find(ids.begin(), ids.end(), field.property) == ids.end())
                ids.push_back(field.property);
        }
    }
    return ids;
}

class ChangeList {
public:
    ChangeList(const Qv3dGauge& before, const Qv3dGauge& after)
        : m_before(before)
        , m_after(after)
    {
    }

    // Adds `id` when its value differs and it is not in the list yet.
    void add(DispId id)
    {
        if (std::find(m_done.begin(), m_done.end(), id) != m_done.end())
            return;
        m_done.push_back(id);
        const QByteArray name = nameOf(id);
        const QVariant value = m_after.property(name.constData());
        if (value != m_before.property(name.constData()))
            m_changes.push_back({ name, value });
    }

    std::vector<PropertyChange> take() { return std::move(m_changes); }

private:
    const Qv3dGauge& m_before;
    const Qv3dGauge& m_after;
    std::vector<DispId> m_done;
    std::vector<PropertyChange> m_changes;
};

} // namespace

std::vector<PropertyChange> pagePropertyChanges(const Qv3dGauge& before, const Qv3dGauge& after)
{
    ChangeList list(before, after);
    list.add(DispId::ScaleMode);

    // Widening first and narrowing last keeps FillValue inside the range at every step, so no
    // set drags it along behind the caller's back; Min stays below Max throughout.
    const bool maxGrows = after.max() > before.max();
    const bool minFalls = after.min() < before.min();
    if (maxGrows)
        list.add(DispId::Max);
    if (minFalls)
        list.add(DispId::Min);
    list.add(DispId::FillValue);
    list.add(DispId::Min);
    list.add(DispId::Max);

    for (DispId id : pageProperties())
        list.add(id);
    return list.take();
}

} // namespace qvgauge
