#!/usr/bin/env python3
"""Hand calculation of the pathway values that the pathway tests expect.

Written from the written description of the formulas (unit geometry, DAF lookups,
surface, groundwater and landfill surface-water pathways), independently of the
C++ sources. Every formula is evaluated left to right in the order written, in
IEEE double, with the constants as their digits. Run it with python3; it prints
the literals that tests/pathways/*_test.cpp hold, grouped by test.
"""

import math

NOT_COMPUTED = 1.0e30


# ---------------------------------------------------------------- unit geometry
def landfill_unit(wastevol, volunit, actlife, riskfact, hqfact):
    u = dict(RISKFACT=riskfact, HQFACT=hqfact, ACTLIFE=actlife)
    if volunit == 0:
        u["VOLYD3"] = wastevol * actlife
        u["VOLM3"] = u["VOLYD3"] / 1.30795062
    elif volunit == 1:
        u["VOLM3"] = wastevol * actlife / 35.31466657
        u["VOLYD3"] = u["VOLM3"] * 1.30795062
    else:
        u["VOLM3"] = wastevol * actlife
        u["VOLYD3"] = u["VOLM3"] * 1.30795062
    u["ANNVOL"] = u["VOLYD3"] / actlife
    u["AREAAC"] = math.exp(math.log(u["VOLYD3"]) * 0.676889 - 5.95477)
    u["AREAM2"] = 4046.873 * u["AREAAC"]
    u["LSFAC"] = math.sqrt(math.sqrt(43560.174 * u["AREAAC"]) / 145.2) * 0.45583274024669224
    u["AREAV"] = u["AREAM2"] * 0.004109589
    A = u["AREAV"]
    s = math.sqrt(A)
    h = 0.5 * s
    x = h / 1000 + 0.3048
    u["DISP1"] = (math.pow(h / 68.26, 1.088139281828074) + x) * 1000
    u["DISP2"] = math.pow(x, 0.81066) * 32.093
    o = A * 0.019034322206391202
    r = (u["ANNVOL"] * 1.42 / 3650 + 7.4) * 2 * s / 1000 * 0.6252084984635082 * 41.666666666666664
    b = u["VOLYD3"] * 3.8804936330289204 * 1.289 / (8760 * actlife)
    u["EMITP"] = o + r + b
    u["EMITD"] = (o + o) + r / 0.36 * 0.8 + b / 0.36 * 0.73
    F = u["AREAAC"] * (90 * u["LSFAC"] * 907.185 * 0.27957 * 0.004109589)
    u["SWDFAC"] = F / 3.4e11
    u["SWFAC"] = F / 3.3e9
    u["SUSP"] = u["SWFAC"] * 1.0e6 + 10
    u["DAF_SCALE"] = max(120379 * math.pow(u["VOLYD3"], -0.97952), 1)
    return u


def close(a, b, rel=1e-5):
    return abs(a - b) <= rel * abs(b)


# ------------------------------------------------------------- DAF lookups
def loglog(points, v):
    """points: list of (x, y...) in table order; stable sort by x, clamp at the ends."""
    p = sorted(points, key=lambda q: q[0])  # Python's sort is stable
    if v <= p[0][0]:
        return p[0][1:]
    if v >= p[-1][0]:
        return p[-1][1:]
    for k in range(1, len(p)):
        if p[k - 1][0] <= v <= p[k][0]:
            d = math.log10(p[k][0]) - math.log10(p[k - 1][0])
            out = []
            for c in range(1, len(p[k])):
                s = (math.log10(p[k][c]) - math.log10(p[k - 1][c])) / d if d > 1.000000013351432e-10 else 0.0
                out.append(math.pow(10, math.log10(p[k - 1][c]) + s * (math.log10(v) - math.log10(p[k - 1][0]))))
            return tuple(out)
    raise ValueError("no bracket")


class Daf:
    """rows: (conc, car, non) of the unit type, table order."""

    def __init__(self, rows, organic, tclp, scale):
        self.rows, self.organic, self.scale = rows, organic, scale
        if organic == 1 or len(rows) == 1:
            dc, dn = rows[0][1], rows[0][2]
        else:
            dc, dn = loglog([(c, car, non) for c, car, non in rows], tclp)
        self.DAFC, self.DAFN = dc, dn
        self.CAR, self.NON = dc * scale, dn * scale

    def backward(self, selector, W):
        if selector == 1:
            pts = [(c / car, car) for c, car, non in self.rows]
        else:
            pts = [(c / non, non) for c, car, non in self.rows]
        if self.organic == 1 or len(self.rows) == 1:
            r = pts[0][1]
        else:
            (r,) = loglog(pts, W)
        return r * self.scale


# ------------------------------------------------------- surface pathways
def airfac(u):
    return 0.30449999999999994 / (4 * u["DISP2"] * u["DISP1"])


def air_FCI(csfi):
    return 3733.3345 * csfi / 27375


def air_FNI(ordi):
    return 2.1e5 / (72 * ordi * 30 * 365)


def airpt(u, c):
    out = {}
    AF = airfac(u)
    EP = u["EMITP"] * 1e-6 * 1000 / 3600
    if c["CSFI"] > 0:
        FCI = air_FCI(c["CSFI"])
        out["R_AIRPT"] = c["TOTC"] * EP * AF * FCI
        out["CC_AIRPT"] = u["RISKFACT"] / FCI / AF / EP
    if c["ORDI"] > 0:
        FNI = air_FNI(c["ORDI"])
        out["H_AIRPT"] = c["TOTC"] * EP * AF * FNI
        out["CN_AIRPT"] = u["HQFACT"] / FNI / AF / EP
    return out


def airsoil(u, c):
    out = {}
    AF = airfac(u)
    ED = u["EMITD"] * 1e-6 * 1000 / 3600
    S = c["TOTC"] * ED * AF * 65246.89655172414
    if c["CSFO"] > 0:
        FCS = 39550 * c["CSFO"] / 27375 / 1e6
        out["R_AIRSOIL"] = S * FCS
        out["CC_AIRSOIL"] = u["RISKFACT"] / FCS / 65246.89655172414 / AF / ED
    if c["ORDO"] > 0:
        FNS = 4.2e5 / (15 * c["ORDO"] * 6 * 365) / 1e6
        out["H_AIRSOIL"] = S * FNS
        out["CN_AIRSOIL"] = u["HQFACT"] / FNS / 65246.89655172414 / AF / ED
    return out


def lead_air_allowables(u):
    AF = airfac(u)
    EP = u["EMITP"] * 1e-6 * 1000 / 3600
    ED = u["EMITD"] * 1e-6 * 1000 / 3600
    return {"CC_AIRPT": 0.0002 / AF / EP, "CC_AIRSOIL": 0.001532639945881955 / AF / ED}


def volatile_halves(u, c, E, AF, release):
    out = {}
    if c["CSFI"] > 0:
        FCI = air_FCI(c["CSFI"])
        out["R_AIRVOL"] = E * FCI
        out["CC_AIRVOL"] = u["RISKFACT"] / FCI / AF / release
    if c["ORDI"] > 0:
        FNI = air_FNI(c["ORDI"])
        out["H_AIRVOL"] = E * FNI
        out["CN_AIRVOL"] = u["HQFACT"] / FNI / AF / release
    return out


def lfvol(u, c):
    AF = airfac(u)
    V = 1e3 * c["DIFFA"] * u["AREAV"] * (c["VP"] * c["MW"] / 0.0244658) * 0.04715560318259695 / 0.024384000000000006 / 1e10
    E = c["TOTC"] * V * AF
    return volatile_halves(u, c, E, AF, V)


def sivol(u, c):
    Hd = c["HENRY"] / 0.0244658
    kG = 0.018833788967259586 * math.pow(1.81e-4 / (0.0012 * c["DIFFA"]), -0.67) * math.pow(u["DIAM"], -0.11)
    if u["FETCHD"] > 51.2:
        fL = 8.599540276833741e-6
    else:
        fL = (2.605e-9 * u["FETCHD"] + 1.277e-7) * 32.935811094729
    kL = math.pow(c["DIFFW"] / 8.56e-6, 2.0 / 3.0) * fL
    KA = u["AREAM2"] / (1 / (Hd * kG) + 1 / kL)
    t99 = -4.605170185988091 * u["VOLM3"] / (-86400 * KA)
    te = u["RESTIME"] if u["RESTIME"] < t99 else t99
    fr = math.exp(KA * te * 86400 / (-u["VOLM3"]))
    Q = u["VOLM3"] * 1000 * (1 - fr) / (te * 86400)
    AF = airfac(u)
    E = c["TCLPCONC"] * Q * AF
    out = volatile_halves(u, c, E, AF, Q)
    return out, t99, te, fr


# ------------------------------------------- landfill surface-water pathways
def biof(c):
    if c["LOGKOW"] > 4:
        b = max(c["BAF"], 0)
    elif c["BCF"] > 0:
        b = c["BCF"]
    elif c["BAF"] > 0:
        b = c["BAF"]
    elif c["ORGANIC"] == 1:
        b = math.exp(0.76 * c["LOGKOW"] - 0.23)
    else:
        b = 0
    if c["CAS"] in ("22967-92-6", "7439-92-1"):
        b = c["BAF"]
    return b


def landfill_sw(u, c):
    out = {}
    if c["CSFO"] > 0:
        FCW = 374.5 * c["CSFO"] / 27375
        out["WC_SWING"] = u["RISKFACT"] / FCW
        out["CC_SWING"] = out["WC_SWING"] / u["SWDFAC"]
        out["R_SWING"] = c["TOTC"] * u["SWDFAC"] * FCW
    if c["ORDO"] > 0:
        FNW = 21000 / (72 * c["ORDO"] * 30 * 365)
        out["WN_SWING"] = u["HQFACT"] / FNW
        out["CN_SWING"] = out["WN_SWING"] / u["SWDFAC"]
        out["H_SWING"] = c["TOTC"] * u["SWDFAC"] * FNW
    B = biof(c)
    FDISS = 1 / (c["KDSW"] * u["SUSP"] / 1e6 + 1)
    out["SWDISS"] = c["TOTC"] * u["SWFAC"] * FDISS
    if c["CSFO"] > 0 and B > 0:
        FCF = 210 * c["CSFO"] / 1971000
        out["FC_SWFISH"] = u["RISKFACT"] / FCF
        out["WC_SWFISH"] = out["FC_SWFISH"] / B / FDISS
        out["R_SWFISH"] = out["SWDISS"] * B * FCF
        out["CC_SWFISH"] = out["WC_SWFISH"] / u["SWFAC"]
    if c["ORDO"] > 0 and B > 0:
        FNF = 210 / (72 * c["ORDO"] * 30 * 365)
        out["FN_SWFISH"] = u["HQFACT"] / FNF
        out["WN_SWFISH"] = out["FN_SWFISH"] / B / FDISS
        out["CN_SWFISH"] = out["WN_SWFISH"] / u["SWFAC"]
        out["H_SWFISH"] = out["SWDISS"] * B * FNF
    return out, B


# ------------------------------------------------------ groundwater pathways
def gwing(u, c, daf):
    out = {}
    if c["CSFO"] > 0:
        FCW = 374.5 * c["CSFO"] / 27375
        out["WC_GWING"] = u["RISKFACT"] / FCW
        out["CC_GWING"] = daf.backward(1, out["WC_GWING"]) * out["WC_GWING"]
        out["R_GWING"] = c["TCLPCONC"] / daf.CAR * FCW
    if c["ORDO"] > 0:
        FNW = 21000 / (788400 * c["ORDO"])
        out["WN_GWING"] = u["HQFACT"] / FNW
        out["CN_GWING"] = daf.backward(0, out["WN_GWING"]) * out["WN_GWING"]
        out["H_GWING"] = c["TCLPCONC"] / daf.NON * FNW
    return out


RECEPTORS = (("A", 0.25, 72, 30, 30, 20000), ("C", 0.33, 15, 6, 6, 7900))


def dermal_dose(c, tevent):
    if c["ORGANIC"] == 1 and tevent < c["TSTAR"]:
        return math.sqrt(tevent * 6 * c["TAU"] / 3.1415926) * 2 * c["KPW"] / 1000, "short event"
    if c["ORGANIC"] == 1 and tevent >= c["TSTAR"]:
        return tevent / (1 + c["BUNGE"]) * c["KPW"] / 1000, "long event"
    return tevent * c["KPW"] / 1000, "inorganic"


def gwdermal(u, c, daf):
    out, forms = {}, {}
    for tag, tevent, bw, dur, avg, area in RECEPTORS:
        DA, forms[tag] = dermal_dose(c, tevent)
        EC = dur * 350 * area / (bw * 27375)
        if c["CSFO"] > 0:
            W = u["RISKFACT"] / c["CSFO"] / EC / DA
            out["WC_GWDERM_" + tag] = W
            out["CC_GWDERM_" + tag] = daf.backward(1, W) * W
            out["R_GWDERM_" + tag] = c["CSFO"] * EC * (c["TCLPCONC"] / daf.CAR * DA)
        EN = dur * 350 * area / (bw * 365 * avg)
        if c["ORDO"] > 0:
            W = u["HQFACT"] * c["ORDO"] / EN / DA
            out["WN_GWDERM_" + tag] = W
            out["CN_GWDERM_" + tag] = daf.backward(0, W) * W
            out["H_GWDERM_" + tag] = c["TCLPCONC"] / daf.NON * DA * EN / c["ORDO"]
    return out, forms


def clamp01(x):
    return min(max(x, 0.0), 1.0)


def indoor_air(Hd, DIFFW, DIFFA, Cw):
    Cmax = Hd * Cw
    S1 = 1 - math.exp(-(216 / (2.5 / math.pow(DIFFW, 2.0 / 3.0) + 1 / (math.pow(DIFFA, 2.0 / 3.0) * Hd))) * 27.551020408163264)
    m = 2.76e6 / (2.5 / math.pow(1e-4 * DIFFW, 2.0 / 3.0) + 70 / (math.pow(1e-4 * DIFFA, 2.0 / 3.0) * Hd))
    S2 = 0.5 * m
    S3 = 0.66 * m
    X1 = X2 = X3 = 0.0
    sums = [0.0, 0.0, 0.0]
    counts = [0, 0, 0]
    t = 0.2
    while t < 960.0767999999999:
        if t <= 11.4048:
            ph = 0
        elif t <= 60.0768:
            ph = 1
        else:
            ph = 2
        src = [Cw if ph == k else 0.0 for k in range(3)]
        E1 = clamp01((1 - min(X1 / Cmax, 1)) * S1) * 1.1 * src[0] / 2300
        X1 = X1 - (X1 - X2) * 20 / 2300 + min(E1, Cmax)
        E2 = clamp01((1 - X2 / Cmax) * S2) * 0.41600000000000004 * src[1] / 13600
        X2 = X2 - (X2 - X3) * 60 / 13600 + (X1 - X2) * 20 / 13600 + min(E2, Cmax)
        E3 = clamp01((1 - X3 / Cmax) * S3) * 0.042 * src[2] / 310000
        X3 = X3 - 465 * X3 / 310000 + (X2 - X3) * 60 / 310000 + min(E3, Cmax)
        sums[ph] += (X1, X2, X3)[ph]
        counts[ph] += 1
        t += 0.2
    A = tuple(min(sums[k] / counts[k], Cmax) for k in range(3))
    return A, tuple(counts)


def gwinh(u, c, daf):
    out = {}
    Hd = c["HENRY"] / 0.0244658
    if c["CSFI"] > 0:
        FCI = 3733.3345 * c["CSFI"] / 27375
        Cw = c["TCLPCONC"] / daf.CAR
        (A1, A2, A3), counts = indoor_air(Hd, c["DIFFW"], c["DIFFA"], Cw)
        K = 1e3 * (A1 / Cw * 0.00792 + A2 / Cw * 0.0338 + A3 / Cw * 0.625)
        out["WC_GWINH"] = u["RISKFACT"] / FCI / K
        out["CC_GWINH"] = daf.backward(1, out["WC_GWINH"]) * out["WC_GWINH"]
        out["R_GWINH"] = 1e3 * FCI * (0.00792 * A1 + 0.0338 * A2 + 0.625 * A3)
    if c["ORDI"] > 0:
        FNI = 2.1e5 / (788400 * c["ORDI"])
        Cw = c["TCLPCONC"] / daf.NON
        (A1, A2, A3), counts = indoor_air(Hd, c["DIFFW"], c["DIFFA"], Cw)
        K = 1e3 * (A1 / Cw * 0.00792 + A2 / Cw * 0.0338 + A3 / Cw * 0.625)
        out["WN_GWINH"] = u["HQFACT"] / FNI / K
        out["CN_GWINH"] = daf.backward(0, out["WN_GWINH"]) * out["WN_GWINH"]
        out["H_GWINH"] = 1e3 * FNI * (0.00792 * A1 + 0.0338 * A2 + 0.625 * A3)
    return out


# ------------------------------------------------------------------ printing
def rows(case, values, source="hand calculation"):
    for slot in sorted(values):
        print('    {"%s", "%s", %r},' % (case, slot, values[slot]))


def main():
    # A landfill of 10000 cubic yards a year over 20 years, risk 1e-5, HQ 1.
    u = landfill_unit(10000.0, 0, 20.0, 1.0e-5, 1.0)
    for key, approx in (("VOLM3", 152911), ("AREAAC", 10.0481), ("AREAM2", 40663.5), ("AREAV", 167.11),
                        ("LSFAC", 0.973007), ("DISP1", 388.19), ("DISP2", 12.4598), ("EMITP", 16.4951),
                        ("EMITD", 34.8385), ("SWFAC", 2.77917e-7), ("SWDFAC", 2.69743e-9), ("SUSP", 10.2779)):
        assert close(u[key], approx), (key, u[key], approx)
    assert u["DAF_SCALE"] == 1

    # Organic chemical; ORDI is read as a reference concentration and converted. With
    # this ORDI and ORDO the inhalation factors written 2.1e5 / (72 x ORDI x 30 x 365) and
    # 2.1e5 / (788400 x ORDI) differ in the last bit, and so do the two ingestion
    # factors 21000 / (...); each pathway must use its own.
    K = 0.2777777777777778
    assert 2.1e5 / (72 * 0.07 * K * 30 * 365) != 2.1e5 / (788400 * (0.07 * K))
    assert 21000 / (72 * 0.004 * 30 * 365) != 21000 / (788400 * 0.004)
    org = dict(CAS="11-11-1", CSFO=0.055, CSFI=0.0273, ORDO=0.004, ORDI=0.07 * 0.2777777777777778,
               BCF=5.2, HENRY=5.55e-3, DIFFW=9.8e-6, DIFFA=0.088, TSTAR=0.3, KPW=0.015, TAU=0.29,
               BUNGE=0.051, ORGANIC=1, BAF=-1, MW=78.11, VP=0.125, KDSW=2.5, LOGKOW=2.13,
               TCLPCONC=0.5, TOTC=100.0)
    org_daf = Daf([(1.0, 20.0, 10.0)], 1, org["TCLPCONC"], u["DAF_SCALE"])
    # Inorganic chemical with a two-row DAF curve; TSTAR, TAU and BUNGE are ignored.
    ino = dict(CAS="22-22-2", CSFO=1.5, CSFI=15.1, ORDO=3.0e-4, ORDI=1.5e-5 * 0.2777777777777778,
               BCF=44.0, HENRY=-1, DIFFW=-1, DIFFA=-1, TSTAR=0.1, KPW=1.0e-3, TAU=5, BUNGE=2,
               ORGANIC=0, BAF=-1, MW=74.92, VP=0.0, KDSW=29.0, LOGKOW=-1000,
               TCLPCONC=0.02, TOTC=50.0)
    ino_daf = Daf([(0.01, 12.2, 11.5), (1.0, 25.3, 24.1)], 0, ino["TCLPCONC"], u["DAF_SCALE"])

    print("// landfill unit: EMITP %r EMITD %r SWFAC %r SWDFAC %r SUSP %r" %
          (u["EMITP"], u["EMITD"], u["SWFAC"], u["SWDFAC"], u["SUSP"]))
    print("// ---- landfill run, organic 11-11-1")
    vals = {}
    vals.update(airpt(u, org))
    vals.update(airsoil(u, org))
    vals.update(lfvol(u, org))
    sw, b = landfill_sw(u, org)
    assert b == org["BCF"]
    vals.update(sw)
    vals.update({"DAFC": org_daf.DAFC, "DAFN": org_daf.DAFN})
    vals.update(gwing(u, org, org_daf))
    derm, forms = gwdermal(u, org, org_daf)
    assert forms == {"A": "short event", "C": "long event"}
    vals.update(derm)
    vals.update(gwinh(u, org, org_daf))
    rows("organic", vals)

    print("// ---- landfill run, inorganic 22-22-2")
    vals = {}
    vals.update(airpt(u, ino))
    vals.update(airsoil(u, ino))
    vals.update({"R_AIRVOL": 0.0, "H_AIRVOL": 0.0, "CC_AIRVOL": NOT_COMPUTED, "CN_AIRVOL": NOT_COMPUTED})
    sw, b = landfill_sw(u, ino)
    assert b == ino["BCF"]
    vals.update(sw)
    vals.update({"DAFC": ino_daf.DAFC, "DAFN": ino_daf.DAFN})
    vals.update(gwing(u, ino, ino_daf))
    derm, forms = gwdermal(u, ino, ino_daf)
    assert forms == {"A": "inorganic", "C": "inorganic"}
    vals.update(derm)
    # HENRY missing: the indoor inhalation gate is not met.
    vals.update({"R_GWINH": 0.0, "H_GWINH": 0.0, "CC_GWINH": NOT_COMPUTED, "CN_GWINH": NOT_COMPUTED,
                 "WC_GWINH": NOT_COMPUTED, "WN_GWINH": NOT_COMPUTED})
    rows("inorganic", vals)

    print("// ---- lead 7439-92-1 in the same landfill")
    for k, v in lead_air_allowables(u).items():
        print("    fixed %s = %r" % (k, v))
    # No DAF rows and DAFLF 0: the own landfill DAF becomes 15.1 in single precision.
    lead_daf = Daf([(1.0e6, 15.100000381469727, 15.100000381469727)], 0, 1.0, u["DAF_SCALE"])
    print("    fixed CN_GWING = %r" % (lead_daf.backward(0, 0.015) * 0.015))
    # With DAF rows (0.01 mg/L: 120 and 100; 1 mg/L: 60 and 50) the non-carcinogenic
    # curve is interpolated at the well concentration 0.015 mg/L.
    lead_daf = Daf([(0.01, 120.0, 100.0), (1.0, 60.0, 50.0)], 0, 1.2, u["DAF_SCALE"])
    print("    fixed CN_GWING with DAF rows = %r" % (lead_daf.backward(0, 0.015) * 0.015))
    # Lead with a positive oral slope factor: fish uptake is BAF, not BCF.
    lead = dict(CAS="7439-92-1", CSFO=0.5, ORDO=-1, BCF=5.0, BAF=46.0, LOGKOW=-1000, ORGANIC=0,
                KDSW=900.0, TOTC=300.0)
    sw, b = landfill_sw(u, lead)
    assert b == 46.0
    for k in ("R_SWFISH", "WC_SWFISH", "SWDISS"):
        print("    with CSFO 0.5: %s = %r" % (k, sw[k]))
    for k, v in sorted(airsoil(u, lead).items()):
        print("    with CSFO 0.5: %s = %r" % (k, v))

    print("// ---- methylmercury 22967-92-6 in the same landfill (BIOF = BAF)")
    mehg = dict(CAS="22967-92-6", CSFO=-1, ORDO=1.0e-4, BCF=-1, BAF=1.68e6, LOGKOW=2.5, ORGANIC=0,
                KDSW=1.0e5, TOTC=0.1)
    sw, b = landfill_sw(u, mehg)
    assert b == 1.68e6
    for k in sorted(sw):
        if "SWFISH" in k or k == "SWDISS":
            print("    %s = %r" % (k, sw[k]))

    print("// ---- fish uptake of an organic chemical without BCF or BAF, LOGKOW 2.5")
    print("    %r" % biof(dict(CAS="33-33-3", LOGKOW=2.5, BCF=-1, BAF=0, ORGANIC=1)))

    # Impoundment cases: geometry fields given directly (the 10000 m3/yr, 20 yr example,
    # rounded), with the fetch-to-depth ratio and the residence time set on either side
    # of their tests.
    print("// ---- impoundment AirVol")
    chem = dict(HENRY=5.55e-3, DIFFW=9.8e-6, DIFFA=0.088, CSFI=0.0273, ORDI=0.008, TCLPCONC=0.5)
    for fetchd in (51.2, 51.3):
        for restime in (15400.4, 5.0):
            su = dict(RISKFACT=1.0e-5, HQFACT=1.0, AREAM2=48766.8, VOLM3=200000.0, DIAM=249.182,
                      DISP1=2102.84, DISP2=15.7384, FETCHD=fetchd, RESTIME=restime)
            out, t99, te, fr = sivol(su, chem)
            print("// FETCHD %r RESTIME %r: t99 %r te %r fr %r" % (fetchd, restime, t99, te, fr))
            print('    {%r, %r, %r, %r, %r, %r},' % (fetchd, restime, out["R_AIRVOL"], out["CC_AIRVOL"],
                                                    out["H_AIRVOL"], out["CN_AIRVOL"]))

    print("// ---- indoor air model")
    Hd = 5.55e-3 / 0.0244658
    for Cw in (0.025, 0.05):
        A, counts = indoor_air(Hd, 9.8e-6, 0.088, Cw)
        assert counts == (57, 243, 4500), counts
        print("// Hd %r Cw %r counts %r" % (Hd, Cw, counts))
        print("    %r, %r, %r" % A)


if __name__ == "__main__":
    main()
