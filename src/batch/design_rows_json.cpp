// The resized and combined schedule rows as the batch result shows them.
#include "batch/design_rows_json.h"

#include "design/combined_design.h"
#include "design/rect_design.h"
#include "model/numbers.h"

namespace ormevak::batch {

namespace {

// The load case number of case index c of footing f, as the analysis file names it.
int caseNumber(const Project& p, int f, int c) {
    if (f < 1 || f >= static_cast<int>(p.supportReaction.size()) || c < 0 ||
        c >= cap::casesPerSupport)
        return 0;
    return static_cast<int>(p.reaction(f, c, reaction::CaseNo));
}

void texts(JsonWriter& w, const std::vector<const char*>& names,
           const std::vector<std::string>& values) {
    w.key("texts").beginObject();
    for (std::size_t c = 0; c < names.size(); ++c)
        w.key(names[c]).value(c < values.size() ? values[c] : std::string());
    w.endObject();
}

void direction(JsonWriter& w, const RectDirection& d, int dia) {
    w.beginObject();
    w.key("cant").value(d.cant).key("mu").value(d.mu).key("muBd2").value(d.muBd2);
    w.key("pt").value(d.pt).key("ast").value(d.ast).key("barDia").value(dia);
    w.key("bars").value(static_cast<long long>(d.bars)).key("spacing").value(d.spacing);
    w.key("shear").value(d.V1).key("tauV").value(d.tauV).key("tauC").value(d.tauC);
    w.key("bandAst").value(d.bandAst).key("bandBars").value(d.bandBars);
    w.key("bandSpacing").value(d.bandSpacing).key("endBars").value(d.endBars);
    w.key("endSpacing").value(d.endSpacing);
    w.endObject();
}

void steel(JsonWriter& w, const CombinedSteel& s, int dia) {
    w.beginObject();
    w.key("mu").value(s.mu).key("muBd2").value(s.muBd2).key("pt").value(s.pt);
    w.key("ast").value(s.ast).key("barDia").value(dia);
    w.key("bars").value(static_cast<long long>(s.bars)).key("spacing").value(s.spacing);
    w.endObject();
}

} // namespace

void writeDesignedRowsJson(JsonWriter& w, const Project& p) {
    w.key("rectRows").beginArray();
    for (std::size_t i = 0; i < p.rectRows.size(); ++i) {
        const RectRow& r = p.rectRows[i];
        w.beginObject();
        w.key("row").value("R" + formatInt(static_cast<long long>(i) + 1));
        w.key("footing").value(r.footing).key("lenL").value(r.lenL).key("widB").value(r.widB);
        w.key("depth").value(r.depth).key("pedestal").value(r.pedestal);
        w.key("netPressure").value(r.netPressure);
        w.key("govCase").value(caseNumber(p, r.footing, r.govCase));
        w.key("designed").value(r.designed);
        w.key("alongL");
        direction(w, r.alongL, r.barDia);
        w.key("alongB");
        direction(w, r.alongB, r.barDia);
        w.key("punching").beginObject();
        w.key("shear").value(r.V2).key("tauV").value(r.tauVp).key("tauC").value(r.tauCp);
        w.endObject();
        texts(w, rectControlNames(), r.texts);
        w.endObject();
    }
    w.endArray();

    w.key("combinedRows").beginArray();
    for (const CombinedRow& r : p.combinedRows) {
        const int first = r.bands[0].footing;
        w.beginObject();
        w.key("row").value("C" + formatInt(r.combined));
        w.key("combined").value(r.combined).key("length").value(r.length);
        w.key("width").value(r.width).key("depth").value(r.depth).key("pedestal").value(r.pedestal);
        w.key("netPressure").value(r.netPressure);
        w.key("govCase").value(caseNumber(p, first, r.govCase));
        w.key("designed").value(r.designed);
        w.key("pu1").value(r.pu1).key("pu2").value(r.pu2).key("wu").value(r.wu);
        w.key("wBal").value(r.wBal);
        w.key("zeroShear").value(r.zeroShear);
        w.key("muHog").value(r.top.mu).key("muSag").value(r.bottom.mu);
        w.key("top");
        steel(w, r.top, r.barDia);
        w.key("bottom");
        steel(w, r.bottom, r.barDia);
        w.key("transverse").beginArray();
        for (const CombinedBand& b : r.bands) {
            w.beginObject();
            w.key("footing").value(b.footing).key("band").value(b.band).key("cant").value(b.cant);
            w.key("mu").value(b.mu).key("pt").value(b.pt).key("ast").value(b.ast);
            w.key("barDia").value(r.barDia).key("bars").value(static_cast<long long>(b.bars));
            w.key("spacing").value(b.spacing);
            w.endObject();
        }
        w.endArray();
        w.key("distribution").beginObject();
        w.key("astPerMetre").value(r.distAst).key("barDia").value(r.barDia);
        w.key("spacing").value(r.distSpacing);
        w.endObject();
        w.key("oneWay").beginObject();
        w.key("shear").value(r.V1).key("tauV").value(r.tauV).key("tauC").value(r.tauC);
        w.endObject();
        w.key("punching").beginArray();
        for (const CombinedBand& b : r.bands) {
            w.beginObject();
            w.key("footing").value(b.footing).key("shear").value(b.Vp);
            w.key("tauV").value(b.tauVp).key("tauC").value(b.tauCp);
            w.endObject();
        }
        w.endArray();
        texts(w, combinedControlNames(), r.texts);
        w.endObject();
    }
    w.endArray();
}

} // namespace ormevak::batch
