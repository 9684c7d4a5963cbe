// The formula records of areas (9 … 22 and 35) and volumes (23 … 34).
#include "formula_record_parts.h"

#include "calculator/operator_nodes.h"

#include <cmath>

namespace FormulaRecordParts {

void AddAreas(TableBuilder& t)
{
    t.add(9, G::Areas, "Quadrat")
        .variables({geo("A", 31), geo("a", 32)})
        .solve({block(0, [](V v) { return v[1] * v[1]; }),
                block(1, [](V v) { return std::sqrt(v[0]); })})
        .draw({text("A = a"), power("2")}, leadField + Steps{var(1), power("2")})
        .geometryLegend();
    const std::vector<SolveBlock> product{block(0, [](V v) { return v[2] * v[1]; }),
                                          block(1, [](V v) { return v[0] / v[2]; }),
                                          block(2, [](V v) { return v[0] / v[1]; })};
    const Steps productFields = leadField + Steps{var(1), text(" · "), var(2)};
    t.add(10, G::Areas, "Rechteck")
        .variables({geo("A", 31), geo("a", 32, " 1"), geo("b", 32, " 2")})
        .solve(product)
        .draw({text("A = a · b")}, productFields)
        .geometryLegend();
    t.add(11, G::Areas, "Parallelogramm")
        .variables({geo("A", 31), geo("a", 32), geo("h", 64)})
        .solve(product)
        .draw({text("A = a · h")}, productFields)
        .geometryLegend();
    t.add(12, G::Areas, "Dreieck")
        .variables({geo("A", 31), slot("g", sym("g"), "", 32, 33), geo("h", 64)})
        .solve({block(0, [](V v) { return (v[2] * v[1]) / 2; }),
                block(1, [](V v) { return (v[0] * 2) / v[2]; }),
                block(2, [](V v) { return (v[0] * 2) / v[1]; })})
        .draw({text("A = "), fraction(3), text("g · h"), over("2", 10)},
              leadField + Steps{fraction(3), var(1), text(" · "), var(2), over("2", 10)})
        .geometryLegend();
    t.add(13, G::Areas, "Trapez")
        .variables({geo("A", 31), geo("a", 32, " 1"), geo("b", 32, " 2"), geo("h", 64)})
        .solve({block(0, [](V v) { return (v[3] * (v[2] + v[1])) / 2; }),
                block(1, [](V v) { return (v[0] * 2) / v[3] - v[2]; }),
                block(2, [](V v) { return (v[0] * 2) / v[3] - v[1]; }),
                block(3, [](V v) { return (v[0] * 2) / (v[2] + v[1]); })})
        .draw({text("A = "), fraction(3), text("( a + b ) · h"), over("2", 20)},
              leadField + Steps{fraction(3), text("( "), var(1), text(" + "), var(2), text(" ) · "),
                                var(3), over("2", 20)})
        .geometryLegend();
    t.add(14, G::Areas, "Kreis")
        .variables({geo("A", 31), geo("r", 34)})
        .solve({block(0, [](V v) { return (v[1] * v[1]) * pi; }),
                block(1, [](V v) { return std::sqrt(v[0] / pi); })})
        .draw({text("A = r"), power("2"), text(" · "), piSign},
              leadField + Steps{var(1), power("2"), text(" · "), piSign})
        .geometryLegend();
    const std::vector<SolveBlock> circle{block(0, [](V v) { return ((v[1] * v[1]) * pi) / 4; }),
                                         block(1, [](V v) { return std::sqrt((v[0] * 4) / pi); })};
    const auto circleLine = [](int symbolLineX) {
        return Steps{var(0),     text(" = "), fraction(3), var(1),
                     power("2"), text(" · "), piSign,      over("4", symbolLineX)};
    };
    t.add(15, G::Areas, "Kreisring (gesamte Fläche)")
        .variables({geoIndexed("A", "D", 31), geo("D", 35)})
        .solve(circle)
        .draw(circleLine(13))
        .geometryLegend();
    t.add(16, G::Areas, "Kreisring (innere Fläche)")
        .variables({geoIndexed("A", "d", 31), geo("d", 36)})
        .solve(circle)
        .draw(circleLine(20))
        .geometryLegend();
    t.add(17, G::Areas, "Kreisring (äußere Fläche)")
        .variables({geo("A", 31), geoIndexed("A", "D", 37), geoIndexed("A", "d", 38)})
        .solve({block(0, [](V v) { return v[1] - v[2]; }),
                block(1, [](V v) { return v[2] + v[0]; }),
                block(2, [](V v) { return v[1] - v[0]; })})
        .draw(lead("A = ") + Steps{var(1), text(" - "), var(2)},
              leadField + Steps{var(1), text(" - "), var(2)})
        .geometryLegend();
    t.add(18, G::Areas, "Kreisausschnitt")
        .variables({geo("A", 31), geo("b", 39), geo("d", 40)})
        .solve({block(0, [](V v) { return (v[2] * v[1]) / 4; }),
                block(1, [](V v) { return (v[0] * 4) / v[2]; }),
                block(2, [](V v) { return (v[0] * 4) / v[1]; })})
        .draw({text("A = "), fraction(3), text("b · d"), over("4", 10)},
              leadField + Steps{fraction(3), var(1), text(" · "), var(2), over("4", 10)})
        .geometryLegend();
    // d is found from 4A = b·d − s·(d − 2h) when the user emptied its field: its mirror d'
    // only holds a number while d itself is given.
    SolveBlock segmentD =
        block(2, [](V v) { return (4 * v[0] - 2 * v[3] * v[5]) / (v[1] - v[3]); }, {0, 1, 3, 5});
    segmentD.onlyWhenFieldEmpty = true;
    t.add(19, G::Areas, "Kreisabschnitt")
        .variables(withMirrors({geo("A", 31), geo("b", 39), geo("d", 40), geo("s", 41)}, {2}) +
                   std::vector<FormulaSlot>{geo("h", 42)})
        .disabled({4})
        .solve({block(0, [](V v) { return (v[2] * v[1]) / 4 - (v[3] * (v[4] - v[5] * 2)) / 4; }),
                block(1, [](V v) { return ((v[3] * (v[4] - v[5] * 2)) + v[0] * 4) / v[2]; }),
                segmentD,
                block(3, [](V v) { return ((v[2] * v[1]) - v[0] * 4) / (v[2] - v[5] * 2); }),
                block(5, [](V v) { return ((((v[2] * v[1]) - v[0] * 4) / v[3]) - v[2]) / (-2); })})
        .draw({text("A = "), fraction(3), text("b · d"), over("4", 10), text("  -  "), fraction(3),
               text("s(d - 2 · h)"), over("4", 20)},
              leadField + Steps{fraction(3), var(1), text(" · "), var(2), over("4", 10),
                                text("  -  "), fraction(3), var(3), text("("), var(4),
                                text(" - 2 · "), var(5), text(")"), over("4", 20)})
        .geometryLegend();
    t.add(35, G::Areas, "Kreisumfang")
        .variables({geo("U", 43), geo("r", 34)})
        .solve({block(0, [](V v) { return (v[1] * 2) * pi; }),
                block(1, [](V v) { return v[0] / (2 * pi); })})
        .draw({text("U = 2 · r · "), piSign},
              {var(0), text(" = 2 · "), var(1), text(" · "), piSign})
        .geometryLegend();
    t.add(20, G::Areas, "Ellipse")
        .variables({geo("A", 31), geo("D", 40, " 1"), geo("d", 40, " 2")})
        .solve({block(0, [](V v) { return ((v[2] * v[1]) * pi) / 4; }),
                block(1, [](V v) { return (v[0] * 4) / (v[2] * pi); }),
                block(2, [](V v) { return (v[0] * 4) / (v[1] * pi); })})
        .draw({text("A = "), fraction(3), text("D · d · "), piSign, over("4", 10)},
              leadField + Steps{fraction(3), var(1), text(" · "), var(2), text(" · "), piSign,
                                over("4", 10)})
        .geometryLegend();
    // The other measure of a hexagon follows the typed one at once.
    SolveBlock corner = block(1, [](V v) { return v[0] * 1.155L; }, {0});
    corner.kind = K::Always;
    t.add(21, G::Areas, "Sechskant (Eckenmass)")
        .variables({given(geo("SW", 44)), slot("e", italic("e"), "", 45)})
        .readOnly({1})
        .solve({corner})
        .draw({italicText("e"), text(" = 1.155 · SW")}, {var(1), text(" = 1.155 · "), var(0)})
        .geometryLegend();
    SolveBlock across = block(1, [](V v) { return v[0] * 0.866L; }, {0});
    across.kind = K::Always;
    t.add(22, G::Areas, "Sechskant (Schluesselweite)")
        .variables({given(slot("e", italic("e"), "", 45)), geo("SW", 44)})
        .readOnly({1})
        .solve({across})
        .draw({text("SW = 0.866 · "), italicText("e")}, {var(1), text(" = 0.866 · "), var(0)})
        .geometryLegend();
}

void AddVolumes(TableBuilder& t)
{
    t.add(23, G::Volumes, "Würfel")
        .variables({geo("V", 46), geo("a", 32)})
        .solve({block(0, [](V v) { return Power(v[1], 3); }),
                block(1, [](V v) { return Power(v[0], 1.0L / 3); })})
        .draw({text("V = a"), power("3")}, leadField + Steps{var(1), power("3")})
        .geometryLegend();
    t.add(24, G::Volumes, "Prisma")
        .variables({geo("V", 46), geo("a", 32, " 1"), geo("b", 32, " 2"), geo("h", 64)})
        .solve({block(0, [](V v) { return v[3] * (v[2] * v[1]); }),
                block(1, [](V v) { return v[0] / (v[3] * v[2]); }),
                block(2, [](V v) { return v[0] / (v[3] * v[1]); }),
                block(3, [](V v) { return v[0] / (v[2] * v[1]); })})
        .draw({text("V = a · b· h")},
              leadField + Steps{var(1), text(" · "), var(2), text(" · "), var(3)})
        .geometryLegend();
    const Steps circleQuarter{fraction(3), var(1), power("2"), text(" · "), piSign, over("4", 15)};
    t.add(25, G::Volumes, "Zylinder")
        .variables({geo("V", 46), geo("d", 40), geo("h", 64)})
        .solve({block(0, [](V v) { return v[2] * (((v[1] * v[1]) * pi) / 4); }),
                block(1, [](V v) { return std::sqrt((v[0] * 4) / (v[2] * pi)); }),
                block(2, [](V v) { return (v[0] * 4) / ((v[1] * v[1]) * pi); })})
        .draw(lead("V = ") + circleQuarter + Steps{text(" · "), var(2)},
              leadField + circleQuarter + Steps{text(" · "), var(2)})
        .geometryLegend();
    t.add(26, G::Volumes, "Hohlzylinder")
        .variables({geo("V", 46), geo("h", 64), geo("D", 35), geo("d", 36)})
        .solve({block(0, [](V v) { return ((v[2] * v[2]) - (v[3] * v[3])) * ((v[1] * pi) / 4); }),
                block(1, [](V v) { return (v[0] * 4) / (((v[2] * v[2]) - (v[3] * v[3])) * pi); }),
                block(2, [](V v) { return std::sqrt((v[3] * v[3]) + (v[0] * 4) / (v[1] * pi)); }),
                block(3, [](V v) { return std::sqrt((v[2] * v[2]) - (v[0] * 4) / (v[1] * pi)); })})
        .draw(lead("V = ") + Steps{fraction(3), piSign, text(" · "), var(1), over("4", 15),
                                   text(" · ( "), var(2), power("2"), text(" - "), var(3),
                                   power("2"), text(" )")},
              leadField + Steps{fraction(3), piSign, text(" · "), var(1), over("4", 15),
                                text(" · ( "), var(2), power("2"), text(" - "), var(3), power("2"),
                                text(" )")})
        .geometryLegend();
    t.add(27, G::Volumes, "Pyramide")
        .variables({geo("V", 46), geo("a", 32, " 1"), geo("b", 32, " 2"), geo("h", 64)})
        .solve({block(0, [](V v) { return (v[3] * (v[2] * v[1])) / 3; }),
                block(1, [](V v) { return (v[0] * 3) / (v[3] * v[2]); }),
                block(2, [](V v) { return (v[0] * 3) / (v[3] * v[1]); }),
                block(3, [](V v) { return (v[0] * 3) / (v[2] * v[1]); })})
        .draw({text("V = "), fraction(3), text(" a · b · h"), over("3", 18)},
              leadField + Steps{fraction(3), var(1), text(" · "), var(2), text(" · "), var(3),
                                over("3", 18)})
        .geometryLegend();
    const Steps coneTail{text(" · "), fraction(3), var(2), over("3", 3)};
    t.add(28, G::Volumes, "Kegel")
        .variables({geo("V", 46), geo("d", 40), geo("h", 64)})
        .solve({block(0, [](V v) { return (v[2] / 3) * (((v[1] * v[1]) * pi) / 4); }),
                block(1, [](V v) { return std::sqrt((v[0] * 12) / (v[2] * pi)); }),
                block(2, [](V v) { return (v[0] * 12) / ((v[1] * v[1]) * pi); })})
        .draw(lead("V = ") + circleQuarter + coneTail, leadField + circleQuarter + coneTail)
        .geometryLegend();
    // The symbol line writes the frustum's mirrors with the symbols of their sources.
    const auto frustumPyramid = [](int a1, int a2) {
        return Steps{fraction(3), var(1),  over("3", 3), text(" · ( "), var(2),
                     text(" + "), var(3),  text(" + "),  rootStart,     var(a1),
                     text(" · "), var(a2), rootEnd,      text(" )")};
    };
    t.add(29, G::Volumes, "Pyramidenstumpf")
        .variables(withMirrors({geo("V", 46), geo("h", 64), notPossible(geoIndexed("A", "1", 47)),
                                notPossible(geoIndexed("A", "2", 48))},
                               {2, 3}))
        .disabled({4, 5})
        .solve({block(0, [](V v) { return (v[1] / 3) * ((v[3] + v[2]) + std::sqrt(v[5] * v[4])); },
                      {1, 2, 3}),
                block(1, [](V v) { return (v[0] * 3) / ((v[3] + v[2]) + std::sqrt(v[5] * v[4])); },
                      {0, 2, 3}),
                notPossible(2, {0, 1, 3}), notPossible(3, {0, 1, 2})})
        .draw(lead("V = ") + frustumPyramid(2, 3), leadField + frustumPyramid(4, 5))
        .geometryLegend();
    const Steps twelfth{fraction(3), piSign, text(" · "), var(1), over("12", 10)};
    const auto frustumCone = [&](int d1, int d2) {
        return twelfth + Steps{text(" · ( "), var(2),     power("2"),  text(" + "),
                               var(3),        power("2"), text(" + "), var(d1),
                               text(" · "),   var(d2),    text(" )")};
    };
    t.add(30, G::Volumes, "Kegelstumpf")
        .variables(withMirrors(
            {geo("V", 46), geo("h", 64), notPossible(geo("D", 49)), notPossible(geo("d", 50))},
            {2, 3}))
        .disabled({4, 5})
        .solve({block(0,
                      [](V v) {
                          return ((v[5] * v[4]) + ((v[3] * v[3]) + (v[2] * v[2]))) *
                                 ((v[1] * pi) / 12);
                      },
                      {1, 2, 3}),
                block(1,
                      [](V v) {
                          return (v[0] * 12) /
                                 (((v[5] * v[4]) + ((v[3] * v[3]) + (v[2] * v[2]))) * pi);
                      },
                      {0, 2, 3}),
                notPossible(2, {0, 1, 3}), notPossible(3, {0, 1, 2})})
        .draw(lead("V = ") + frustumCone(2, 3), leadField + frustumCone(4, 5))
        .geometryLegend();
    const Steps sphere{fraction(3), var(1), power("3"), text(" · "), piSign, over("6", 15)};
    t.add(31, G::Volumes, "Kugel")
        .variables({geo("V", 46), geo("d", 40)})
        .solve({block(0, [](V v) { return (Power(v[1], 3) * pi) / 6; }),
                block(1, [](V v) { return Power((v[0] * 6) / pi, 1.0L / 3); })})
        .draw(lead("V = ") + sphere, leadField + sphere)
        .geometryLegend();
    const auto cap = [](int h) {
        return Steps{fraction(3),       piSign, text(" · "),     var(1), power("2"), over("6", 15),
                     text(" · ( 3 · "), var(2), text(" - 2 · "), var(h), text(" )")};
    };
    t.add(32, G::Volumes, "Kugelabschnitt")
        .variables(withMirrors({geo("V", 46), notPossible(geo("h", 64)), geo("d", 51)}, {1}))
        .disabled({3})
        .solve(
            {block(0, [](V v) { return ((v[2] * 3) - (v[3] * 2)) * (((v[1] * v[1]) * pi) / 6); },
                   {1, 2, 3}),
             notPossible(1, {0, 2}),
             block(2, [](V v) { return (v[3] * 2) / 3 + (v[0] * 6) / ((v[1] * v[1]) * (3 * pi)); },
                   {0, 1, 3})})
        .draw(lead("V = ") + cap(1), leadField + cap(3))
        .geometryLegend();
    // The product goes on 6 pixels after the numerator's end.
    const Steps sector{fraction(3), text("1"), over("6", 3), afterNumerator(6), text(" · "), piSign,
                       text(" · "), var(1),    power("2"),   text(" · "),       var(2)};
    t.add(33, G::Volumes, "Kugelausschnitt")
        .variables({geo("V", 46), geo("d", 51), geo("h", 64)})
        .solve({block(0, [](V v) { return v[2] * ((v[1] * v[1]) * (pi / 6)); }),
                block(1, [](V v) { return std::sqrt((v[0] * 6) / (v[2] * pi)); }),
                block(2, [](V v) { return (v[0] * 6) / ((v[1] * v[1]) * pi); })})
        .draw(lead("V = ") + sector, leadField + sector)
        .geometryLegend({0, 2, 1});
    const Steps barrel =
        twelfth +
        Steps{text(" · ( 2 · "), var(2), power("2"), text(" + "), var(3), power("2"), text(" )")};
    t.add(34, G::Volumes, "Fass")
        .variables({geo("V", 46), geo("h", 64), geo("D", 52), geo("d", 53)})
        .solve(
            {block(0, [](V v) { return ((v[3] * v[3]) + (v[2] * v[2]) * 2) * ((v[1] * pi) / 12); }),
             block(1, [](V v) { return (v[0] * 12) / (((v[3] * v[3]) + (v[2] * v[2]) * 2) * pi); }),
             block(2, [](V v) { return std::sqrt((v[0] * 6) / (v[1] * pi) - (v[3] * v[3]) / 2); }),
             block(3,
                   [](V v) { return std::sqrt((v[0] * 12) / (v[1] * pi) - (v[2] * v[2]) * 2); })})
        .draw(lead("V = ") + barrel, leadField + barrel)
        .geometryLegend();
}

} // namespace FormulaRecordParts
