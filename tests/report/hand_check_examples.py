#!/usr/bin/env python3
"""Hand calculation of selected cells of the two shipped example reports.

Written from the formulas of the model alone, without the engine's code, so that the
checked-in reports can be trusted. Prints the cell texts and full-precision values that
examples_test.cpp holds as literals.

    python3 tests/report/hand_check_examples.py
"""
import math
import pathlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
NOT_COMPUTED = 1.0e30


def cell(v):
    """The report's 10-character number field: ' 0.123E-04'."""
    if v == 0:
        return " 0.000E+00"
    s = "%.2e" % abs(v)  # d.dde+XX, correctly rounded
    exp = int(s[5:]) + 1
    sign = "-" if v < 0 else " "
    mag = abs(exp)
    tail = ("E%s%02d" if mag <= 99 else "%s%03d") % ("-" if exp < 0 else "+", mag)
    return sign + "0." + s[0] + s[2:4] + tail


COLUMNS = ("CAS MCL CSFO CSFI ORDO ORDI BCF SOILST TOX_C HENRY DIFFW DIFFA SOL DAFLF DAFSI "
           "TSTAR KPW TAU BUNGE ORGANIC BAF ECOCHRON CARCTYPE MW VP KDSW LOGKOW").split()


def read_example(name):
    lines = (ROOT / "examples" / name / "VORN.IN").read_text().splitlines()
    site = [l.split()[0] for l in lines[:8]]
    n = int(lines[8].split()[0])
    chems = []
    for line in lines[10:10 + n]:
        label, values = line.split("@", 1)
        c = {"NAME": label.strip()}
        for key, text in zip(COLUMNS, values.split()):
            c[key] = text if key in ("CAS", "CARCTYPE") else float(text)
        if c["ORDI"] > 0:
            c["ORDI"] *= 0.2777777777777778  # given as a reference concentration
        chems.append(c)
    for c, line in zip(chems, lines[11 + n:11 + 2 * n]):
        v = line.split()
        c["TCLP"], c["TOTC"] = float(v[0]), float(v[2])
    daf = [l.split() for l in lines[12 + 2 * n:] if l.strip()]
    return site, chems, daf


# ---------------------------------------------------------------- unit geometry
def geometry(kind, volume, unit, life):
    g = {}
    if unit == 0:
        g["VOLYD3"] = volume * life
        g["VOLM3"] = g["VOLYD3"] / 1.30795062
    else:
        g["VOLM3"] = volume * life / 35.31466657 if unit == 1 else volume * life
        g["VOLYD3"] = g["VOLM3"] * 1.30795062
    g["ANNVOL"] = g["VOLYD3"] / life
    g["AREAAC"] = math.exp(math.log(g["VOLYD3"]) * 0.676889 - 5.95477)
    g["AREAM2"] = 4046.873 * g["AREAAC"]
    if kind == "SI":
        g["SIFLOW"] = 0.09719999879598618 * g["AREAM2"]
        g["DIAM"] = math.sqrt(4.0 * g["AREAM2"] / 3.1415926)
        g["FETCHD"] = math.sqrt(g["AREAM2"]) / (g["VOLM3"] / g["AREAM2"])
        g["RESTIME"] = g["VOLM3"] * 365 / g["SIFLOW"]
        g["AREAV"] = g["AREAM2"]
    else:
        g["LSFAC"] = math.sqrt(math.sqrt(43560.174 * g["AREAAC"]) / 145.2) * 0.45583274024669224
        g["AREAV"] = g["AREAM2"] * 0.004109589
    s = math.sqrt(g["AREAV"])
    h = 0.5 * s
    x = h / 1000 + 0.3048
    g["DISP1"] = ((h / 68.26) ** 1.088139281828074 + x) * 1000
    g["DISP2"] = x ** 0.81066 * 32.093
    if kind == "LF":
        o = g["AREAV"] * 0.019034322206391202
        r = (g["ANNVOL"] * 1.42 / 3650 + 7.4) * 2 * s / 1000 * 0.6252084984635082 * 41.666666666666664
        b = g["VOLYD3"] * 3.8804936330289204 * 1.289 / (8760 * life)
        g["EMITP"] = o + r + b
        g["EMITD"] = (o + o) + r / 0.36 * 0.8 + b / 0.36 * 0.73
        f = g["AREAAC"] * (90 * g["LSFAC"] * 907.185 * 0.27957 * 0.004109589)
        g["SWDFAC"] = f / 3.4e11
        g["SWFAC"] = f / 3.3e9
        g["SUSP"] = g["SWFAC"] * 1.0e6 + 10
        g["SCALE"] = max(120379 * g["VOLYD3"] ** -0.97952, 1)
    else:
        g["SCALE"] = max(108687 * g["VOLYD3"] ** -1.20644, 1)
    g["AIRFAC"] = 0.30449999999999994 / (4 * g["DISP2"] * g["DISP1"])
    return g


def check_geometry_against_worked_examples():
    lf = geometry("LF", 10000, 0, 20)
    for key, want in [("VOLM3", 152911), ("AREAAC", 10.0481), ("AREAM2", 40663.5), ("AREAV", 167.11),
                      ("LSFAC", 0.973007), ("DISP1", 388.19), ("DISP2", 12.4598), ("EMITP", 16.4951),
                      ("EMITD", 34.8385), ("SWFAC", 2.77917e-7), ("SWDFAC", 2.69743e-9), ("SUSP", 10.2779)]:
        assert abs(lf[key] / want - 1) < 5e-6, (key, lf[key], want)
    si = geometry("SI", 10000, 2, 20)
    for key, want in [("VOLYD3", 261590), ("AREAAC", 12.0505), ("AREAM2", 48766.8), ("SIFLOW", 4740.13),
                      ("DIAM", 249.182), ("FETCHD", 53.8463), ("RESTIME", 15400.4), ("DISP1", 2102.84),
                      ("DISP2", 15.7384)]:
        assert abs(si[key] / want - 1) < 5e-6, (key, si[key], want)


# ---------------------------------------------------------------- DAF curves
def curve(daf, chem, kind):
    """(conc, car, non) points of the chemical, in table order."""
    cols = (1, 2, 3) if kind == "LF" else (4, 5, 6)
    pts = [tuple(float(r[c]) for c in cols) for r in daf if r[0] == chem["CAS"]]
    if chem["ORGANIC"] == 1:
        pts = pts[:1]
    if not pts:
        own = chem["DAFLF"] if kind == "LF" else chem["DAFSI"]
        if own <= 0:
            own = 15.100000381469727 if kind == "LF" else 3.180000066757202
        pts = [(1.0e6, own, own)]
    return pts


def loglog(xs, ys, v):
    pts = sorted(zip(xs, ys), key=lambda p: p[0])  # stable
    if v <= pts[0][0]:
        return pts[0][1]
    if v >= pts[-1][0]:
        return pts[-1][1]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        if x0 <= v <= x1:
            d = math.log10(x1) - math.log10(x0)
            s = (math.log10(y1) - math.log10(y0)) / d if d > 1.000000013351432e-10 else 0.0
            return 10 ** (math.log10(y0) + s * (math.log10(v) - math.log10(x0)))
    raise ValueError("no bracket")


def forward(pts, chem):
    if chem["ORGANIC"] == 1 or len(pts) == 1:
        return pts[0][1], pts[0][2]
    conc = [p[0] for p in pts]
    return loglog(conc, [p[1] for p in pts], chem["TCLP"]), loglog(conc, [p[2] for p in pts], chem["TCLP"])


def backward(pts, chem, cancer, well, scale):
    y = [p[1] if cancer else p[2] for p in pts]
    if chem["ORGANIC"] == 1 or len(pts) == 1:
        return y[0] * scale
    return loglog([p[0] / d for p, d in zip(pts, y)], y, well) * scale


# ---------------------------------------------------------------- indoor air
def indoor_air(hd, dw, da, cw):
    cmax = hd * cw
    s1 = 1 - math.exp(-(216 / (2.5 / dw ** (2.0 / 3.0) + 1 / (da ** (2.0 / 3.0) * hd))) * 27.551020408163264)
    m = 2.76e6 / (2.5 / (1e-4 * dw) ** (2.0 / 3.0) + 70 / ((1e-4 * da) ** (2.0 / 3.0) * hd))
    s2, s3 = 0.5 * m, 0.66 * m
    clamp = lambda v: min(max(v, 0.0), 1.0)
    x1 = x2 = x3 = 0.0
    sums, counts = [0.0] * 3, [0] * 3
    t = 0.2
    while t < 960.0767999999999:
        phase = 0 if t <= 11.4048 else (1 if t <= 60.0768 else 2)
        src = [cw if phase == k else 0.0 for k in range(3)]
        e1 = clamp((1 - min(x1 / cmax, 1)) * s1) * 1.1 * src[0] / 2300
        x1 = x1 - (x1 - x2) * 20 / 2300 + min(e1, cmax)
        e2 = clamp((1 - x2 / cmax) * s2) * 0.41600000000000004 * src[1] / 13600
        x2 = x2 - (x2 - x3) * 60 / 13600 + (x1 - x2) * 20 / 13600 + min(e2, cmax)
        e3 = clamp((1 - x3 / cmax) * s3) * 0.042 * src[2] / 310000
        x3 = x3 - 465 * x3 / 310000 + (x2 - x3) * 60 / 310000 + min(e3, cmax)
        sums[phase] += (x1, x2, x3)[phase]
        counts[phase] += 1
        t += 0.2
    assert counts == [57, 243, 4500], counts
    return [min(sums[k] / counts[k], cmax) for k in range(3)]


# ---------------------------------------------------------------- groundwater limits
RECEPTORS = [  # event time, body weight, duration, averaging time, skin area
    (0.25, 72, 30, 30, 20000),
    (0.33, 15, 6, 6, 7900),
]


def dermal_dose(c, tevent):
    if c["ORGANIC"] == 1 and tevent < c["TSTAR"]:
        return math.sqrt(tevent * 6 * c["TAU"] / 3.1415926) * 2 * c["KPW"] / 1000
    if c["ORGANIC"] == 1:
        return tevent / (1 + c["BUNGE"]) * c["KPW"] / 1000
    return tevent * c["KPW"] / 1000


def groundwater_limit(c, pts, g, risk, hq):
    """Allowable (TCLP, well) pairs of the four pathways, cancer and non-cancer, then the choice."""
    s = g["SCALE"]
    back = lambda cancer, w: backward(pts, c, cancer, w, s) * w
    cc, wc, cn, wn = [NOT_COMPUTED] * 4, [NOT_COMPUTED] * 4, [NOT_COMPUTED] * 4, [NOT_COMPUTED] * 4
    if c["CSFO"] > 0:
        wc[0] = risk / (374.5 * c["CSFO"] / 27375)
        cc[0] = back(True, wc[0])
    if c["ORDO"] > 0:
        wn[0] = hq / (21000 / (788400 * c["ORDO"]))
        cn[0] = back(False, wn[0])
    if c["CSFO"] <= 0 and c["ORDO"] <= 0 and c["CAS"] == "7439-92-1":
        wn[0] = 0.015  # lead: fixed allowable well concentration
        cn[0] = back(False, wn[0])
    if c["KPW"] > 0 and (c["CSFO"] > 0 or c["ORDO"] > 0):
        for r, (tev, bw, dur, avg, area) in enumerate(RECEPTORS):
            da = dermal_dose(c, tev)
            if c["CSFO"] > 0:
                wc[2 + r] = risk / c["CSFO"] / (dur * 350 * area / (bw * 27375)) / da
                cc[2 + r] = back(True, wc[2 + r])
            if c["ORDO"] > 0:
                wn[2 + r] = hq * c["ORDO"] / (dur * 350 * area / (bw * 365 * avg)) / da
                cn[2 + r] = back(False, wn[2 + r])
    if c["HENRY"] > 0 and c["DIFFW"] > 0 and c["DIFFA"] > 0:
        hd = c["HENRY"] / 0.0244658
        a = indoor_air(hd, c["DIFFW"], c["DIFFA"], 1.0)
        k = 1e3 * (a[0] * 0.00792 + a[1] * 0.0338 + a[2] * 0.625)
        if c["CSFI"] > 0:
            wc[1] = risk / (3733.3345 * c["CSFI"] / 27375) / k
            cc[1] = back(True, wc[1])
        if c["ORDI"] > 0:
            wn[1] = hq / (2.1e5 / (788400 * c["ORDI"])) / k
            cn[1] = back(False, wn[1])
    kc, kn = cc.index(min(cc)), cn.index(min(cn))  # index() takes the first of equal values
    if cc[kc] <= cn[kn]:
        tclpmax, poe, path = cc[kc], wc[kc], kc + 1
    else:
        tclpmax, poe, path = cn[kn], wn[kn], kn + 1
    if c["MCL"] > 0:
        a = min(backward(pts, c, True, c["MCL"], s), backward(pts, c, False, c["MCL"], s)) * c["MCL"]
        if tclpmax > a or (tclpmax == a and c["MCL"] < poe):
            tclpmax, poe, path = a, c["MCL"], 5
    daf_wv = tclpmax / poe if tclpmax / poe > 1 else 1.0
    daf = daf_wv / s if daf_wv / s > 1 else 1.0
    well = [min(x, y) for x, y in zip(wc, wn)] + [c["MCL"]]
    return dict(TCLPMAX=tclpmax, LIMITPOE=poe, GW_LIMIT=path, DAF=daf, DAF_WV=daf_wv, GW_WELL=well,
                CC=cc, WC=wc, CN=cn, WN=wn)


GW_NAMES = ["GWINGESTION", "GWINHALATION", "GWDERMAL-ADT", "GWDERMAL-CHD", "MCL"]


# ---------------------------------------------------------------- output
CELLS, VALUES = [], []


def show(example, table, row, column, slot, value, note):
    """A report cell (column counted after the name field) and the value behind it."""
    text = value if isinstance(value, str) else cell(value)
    CELLS.append('    {"%s", %d, %d, %d, "%s"},  // %s' % (example, table, row, column, text, note))
    if slot:
        VALUES.append('    {"%s", %d, "%s", %s},' % (example, row, slot, repr(value)))


def landfill():
    site, chems, daf = read_example("landfill")
    risk, hq = float(site[2]), float(site[3])
    g = geometry("LF", float(site[4]), int(site[5]), float(site[6]))
    by = {c["CAS"]: (i + 1, c) for i, c in enumerate(chems)}
    VALUES.append('    {"landfill", 0, "DAF_SCALE", %s},' % repr(g["SCALE"]))
    ep = g["EMITP"] * 1e-6 * 1000 / 3600
    ed = g["EMITD"] * 1e-6 * 1000 / 3600

    i, c = by["7440-38-2"]  # arsenic: particulates, its DAF curve and the groundwater exceedance
    show("landfill", 1, i, 3, "R_AIRPT", c["TOTC"] * ep * g["AIRFAC"] * (3733.3345 * c["CSFI"] / 27375),
         "arsenic R_AIRPT")
    pts = curve(daf, c, "LF")
    dc, dn = forward(pts, c)
    show("landfill", 2, i, 1, "DAFC", dc, "arsenic DAF, interpolated between 0.01 and 0.1 mg/L")
    show("landfill", 2, i, 2, "DAFC_WV", dc * g["SCALE"], "arsenic DAF_WV")
    show("landfill", 2, i, 4, "R_GWING", c["TCLP"] / (dc * g["SCALE"]) * (374.5 * c["CSFO"] / 27375),
         "arsenic R_GWING")
    show("landfill", 4, i, 2, "DAFN", dn, "arsenic DAF, non-carcinogenic")
    lim = groundwater_limit(c, pts, g, risk, hq)
    show("landfill", 6, i, 2, "LIMITPOE", lim["LIMITPOE"], "arsenic LIMITPOE")
    show("landfill", 6, i, 3, "DAF", lim["DAF"], "arsenic DAF")
    show("landfill", 6, i, 4, "DAF_WV", lim["DAF_WV"], "arsenic DAF_WV")
    show("landfill", 6, i, 5, "TCLPMAX", lim["TCLPMAX"], "arsenic TCLPMAX")
    show("landfill", 6, i, 8, "GW_WELL3", lim["GW_WELL"][2], "arsenic C_GWDERM-A")
    path = GW_NAMES[lim["GW_LIMIT"] - 1].ljust(15)
    show("landfill", 8, i, 3, None, path, "arsenic limiting groundwater pathway")
    assert c["TCLP"] > lim["TCLPMAX"]
    show("landfill", 9, i, 3, None, lim["TCLPMAX"], "arsenic MAX_GW, exceeded")
    show("landfill", 9, i, 4, None, path, "arsenic exceeded pathway")

    i, c = by["71-43-2"]  # benzene: an organic with one DAF row
    pts = curve(daf, c, "LF")
    show("landfill", 2, i, 4, "R_GWING", c["TCLP"] / (pts[0][1] * g["SCALE"]) * (374.5 * c["CSFO"] / 27375),
         "benzene R_GWING")
    lim = groundwater_limit(c, pts, g, risk, hq)
    show("landfill", 6, i, 5, "TCLPMAX", lim["TCLPMAX"], "benzene TCLPMAX")
    show("landfill", 8, i, 3, None, GW_NAMES[lim["GW_LIMIT"] - 1].ljust(15), "benzene limiting pathway")

    i, c = by["7439-92-1"]  # lead: fixed air allowables, fixed well concentration, MCL tie
    pt, soil = 0.0002 / g["AIRFAC"] / ep, 0.001532639945881955 / g["AIRFAC"] / ed
    show("landfill", 5, i, 4, "SF_ALLOW2", pt, "lead C_AirPt")
    show("landfill", 5, i, 6, "SF_ALLOW4", soil, "lead C_AirSoil")
    show("landfill", 5, i, 2, "TC_MAX", min(pt, soil), "lead TC_Max")
    lim = groundwater_limit(c, curve(daf, c, "LF"), g, risk, hq)
    show("landfill", 6, i, 5, "TCLPMAX", lim["TCLPMAX"], "lead TCLPMAX")
    show("landfill", 6, i, 3, "DAF", lim["DAF"], "lead DAF")
    show("landfill", 8, i, 3, None, GW_NAMES[lim["GW_LIMIT"] - 1].ljust(15), "lead: the MCL ties and loses")

    i, c = by["7439-97-6"]  # mercury: surface-water ingestion
    show("landfill", 3, i, 2, "H_SWING", c["TOTC"] * g["SWDFAC"] * (21000 / (72 * c["ORDO"] * 30 * 365)),
         "mercury H_SWIng")

    i, c = by["22967-92-6"]  # methylmercury: fish with its BAF, dissolved concentration
    fdiss = 1 / (c["KDSW"] * g["SUSP"] / 1e6 + 1)
    swdiss = c["TOTC"] * g["SWFAC"] * fdiss
    fnf = 210 / (72 * c["ORDO"] * 30 * 365)
    show("landfill", 3, i, 4, "H_SWFISH", swdiss * c["BAF"] * fnf, "methylmercury H_SWFish")
    show("landfill", 5, i, 5, "SF_ALLOW3", hq / fnf / c["BAF"] / fdiss / g["SWFAC"], "methylmercury C_SWFish")
    show("landfill", 10, i, 7, "SWDISS", swdiss, "methylmercury RO_AMB")


def impoundment():
    site, chems, daf = read_example("impoundment")
    risk, hq = float(site[2]), float(site[3])
    g = geometry("SI", float(site[4]), int(site[5]), float(site[6]))
    by = {c["CAS"]: (i + 1, c) for i, c in enumerate(chems)}
    VALUES.append('    {"impoundment", 0, "DAF_SCALE", %s},' % repr(g["SCALE"]))

    i, c = by["71-43-2"]  # benzene: impoundment volatilisation
    hd = c["HENRY"] / 0.0244658
    kg = 0.018833788967259586 * (1.81e-4 / (0.0012 * c["DIFFA"])) ** (-0.67) * g["DIAM"] ** (-0.11)
    fl = 8.599540276833741e-6 if g["FETCHD"] > 51.2 else (2.605e-9 * g["FETCHD"] + 1.277e-7) * 32.935811094729
    kl = (c["DIFFW"] / 8.56e-6) ** (2.0 / 3.0) * fl
    ka = g["AREAM2"] / (1 / (hd * kg) + 1 / kl)
    t99 = -4.605170185988091 * g["VOLM3"] / (-86400 * ka)
    te = g["RESTIME"] if g["RESTIME"] < t99 else t99
    fr = math.exp(ka * te * 86400 / (-g["VOLM3"]))
    q = g["VOLM3"] * 1000 * (1 - fr) / (te * 86400)
    fci = 3733.3345 * c["CSFI"] / 27375
    fni = 2.1e5 / (72 * c["ORDI"] * 30 * 365)
    show("impoundment", 1, i, 6, "R_AIRVOL", c["TCLP"] * q * g["AIRFAC"] * fci, "benzene R_AirVol")
    show("impoundment", 3, i, 6, "H_AIRVOL", c["TCLP"] * q * g["AIRFAC"] * fni, "benzene H_AirVol")
    show("impoundment", 5, i, 7, "SF_ALLOW5", min(risk / fci / g["AIRFAC"] / q, hq / fni / g["AIRFAC"] / q),
         "benzene C_AirVol")

    i, c = by["75-01-4"]  # vinyl chloride: no DAF rows and no own DAF
    pts = curve(daf, c, "SI")
    show("impoundment", 2, i, 1, "DAFC", pts[0][1], "vinyl chloride DAF, the default own DAF")
    show("impoundment", 2, i, 4, "R_GWING", c["TCLP"] / (pts[0][1] * g["SCALE"]) * (374.5 * c["CSFO"] / 27375),
         "vinyl chloride R_GWING")

    i, c = by["108-88-3"]  # toluene: the MCL limits
    lim = groundwater_limit(c, curve(daf, c, "SI"), g, risk, hq)
    show("impoundment", 6, i, 5, "TCLPMAX", lim["TCLPMAX"], "toluene TCLPMAX")
    show("impoundment", 6, i, 4, "DAF_WV", lim["DAF_WV"], "toluene DAF_WV")
    show("impoundment", 8, i, 3, None, GW_NAMES[lim["GW_LIMIT"] - 1].ljust(15), "toluene limiting pathway")

    i, c = by["67-66-3"]  # chloroform: indoor inhalation limits and is exceeded
    pts = curve(daf, c, "SI")
    hd = c["HENRY"] / 0.0244658
    cw = c["TCLP"] / (pts[0][1] * g["SCALE"])
    a = indoor_air(hd, c["DIFFW"], c["DIFFA"], cw)
    show("impoundment", 2, i, 5, "R_GWINH",
         1e3 * (3733.3345 * c["CSFI"] / 27375) * (0.00792 * a[0] + 0.0338 * a[1] + 0.625 * a[2]),
         "chloroform R_GWINH")
    lim = groundwater_limit(c, pts, g, risk, hq)
    show("impoundment", 6, i, 2, "LIMITPOE", lim["LIMITPOE"], "chloroform LIMITPOE")
    show("impoundment", 6, i, 5, "TCLPMAX", lim["TCLPMAX"], "chloroform TCLPMAX")
    path = GW_NAMES[lim["GW_LIMIT"] - 1].ljust(15)
    assert c["TCLP"] > lim["TCLPMAX"]
    show("impoundment", 9, i, 3, None, lim["TCLPMAX"], "chloroform MAX_GW, exceeded")
    show("impoundment", 9, i, 4, None, path, "chloroform exceeded pathway")

    i, c = by["7440-38-2"]  # arsenic: impoundment columns of its curve
    pts = curve(daf, c, "SI")
    show("impoundment", 4, i, 2, "DAFN", forward(pts, c)[1], "arsenic DAF, non-carcinogenic")
    lim = groundwater_limit(c, pts, g, risk, hq)
    show("impoundment", 6, i, 5, "TCLPMAX", lim["TCLPMAX"], "arsenic TCLPMAX")

    i, c = by["7440-39-3"]  # barium: adult dermal well concentration from its own DAF
    lim = groundwater_limit(c, curve(daf, c, "SI"), g, risk, hq)
    show("impoundment", 6, i, 8, "GW_WELL3", lim["GW_WELL"][2], "barium C_GWDERM-A")


if __name__ == "__main__":
    check_geometry_against_worked_examples()
    landfill()
    impoundment()
    print("// Cells: example, table, row (chemical), column after the name field, text.")
    print("\n".join(CELLS))
    print("// Values: example, chemical (0: the run), name, value.")
    print("\n".join(VALUES))
