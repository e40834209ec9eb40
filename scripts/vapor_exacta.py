#!/usr/bin/python3
"""Exact vapour pressures of the equations of state, for checking the program.

Maxwell's equal-area construction solved directly in 40-digit arithmetic
(mpmath), with nothing taken from the program: the vapour pressure p and the
liquid and gas molar volumes vl < vg satisfy

    P(vl) = P(vg) = p   and   the integral of P dV from vl to vg = p·(vg - vl).

How:
- the spinodal volumes (dP/dV = 0) are found on a fine logarithmic grid of
  V - vs and refined by bracketed iteration; a loop narrower than the grid is
  found from the maximum of V·(dP/dV)/P;
- at a trial pressure the liquid root lies between the start volume vs and the
  lower spinodal, the gas root above the upper one; both by bracketed iteration
  (Illinois with bisection) to 37 digits;
- the area condition is solved for ln p between the spinodal pressures (or 0)
  by the same bracketed iteration;
- the integral of P dV is the closed form for every equation but
  Dieterici-Sadus (Dieterici's through the exponential integral), and tanh-sinh
  quadrature in ln(V - vs) for Dieterici-Sadus; `--comprueba` checks every
  closed form and every derivative against quadrature and numerical
  differentiation.

The parameters are derived from the critical data of the shipped gas data file
(data/data) by the definitions of the equations, the same the program uses
(van der Waals a = 27·R²·tc²/(64·pc), and so on), at R = 0.08206.

Needs mpmath (Debian's python3-mpmath, for /usr/bin/python3).

Usage:
  scripts/vapor_exacta.py GAS EQ TR [TR ...]   one gas, one equation
  scripts/vapor_exacta.py --entalpia GAS EQ TR [TR ...]
                                               the same with the enthalpy of
                                               vaporisation, at T = TR·tc taken in
                                               double precision as the program does
  scripts/vapor_exacta.py --entalpia-t GAS EQ T [T ...]
                                               the same at temperatures in K
  scripts/vapor_exacta.py --comprueba          self-checks
  scripts/vapor_exacta.py --barrido OUT.csv [PROCESSES]
"""
import os
import sys

import mpmath as mp

mp.mp.dps = 40
R = mp.mpf("0.08206")
DATOS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "data")

# Acentric factors of gases 1..28 used when the data file gives -1.
OMEGA = [
    -0.365, -0.029, 0.001, 0.005, 0.008, -0.216, -0.216, 0.054, 0.039, 0.025,
    0.09, 0.108, 0.229, -0.216, 0.329, 0.133, 0.066, 0.25, 0.344, 0.344,
    0.239, 0.011, 0.177, 0.193, 0.556, 0.644, 0.299, 0.263,
]


def lee_gas(numgas):
    """tc, pc and the c(e,k) values of section g<numgas> of the data file."""
    seccion, valores = None, {}
    with open(DATOS, encoding="cp1252") as f:
        for linea in f:
            linea = linea.strip()
            if linea.startswith("["):
                seccion = linea[1:-1]
            elif seccion == "g%d" % numgas and "=" in linea:
                k, v = linea.split("=", 1)
                valores[k.strip()] = v.strip()
    return valores


def parametros(numgas, eq, T):
    """(a, b, c, d, mu) of equation eq for gas numgas at T, as mp numbers."""
    v = lee_gas(numgas)
    tc, pc = mp.mpf(v["tc"]), mp.mpf(v["pc"])
    T = mp.mpf(T)
    c = [mp.mpf(v.get("c(%d,%d)" % (eq, k), "-1")) for k in range(1, 5)]
    if c[0] != -1 or c[1] != -1:
        raise ValueError("gas %d has own parameters for equation %d" % (numgas, eq))
    raiz3 = mp.cbrt(2) - 1
    mu = mp.mpf(0)
    if eq == 1:
        return 27 * R**2 * tc**2 / (64 * pc), R * tc / (8 * pc), 0, 0, mu
    if eq == 2:
        return 81 * R**2 * tc**3 / (192 * pc), 3 * R * tc / (24 * pc), 0, 0, mu
    if eq == 3:
        return 4 * R**2 * tc**2 / (mp.e**2 * pc), R * tc / (mp.e**2 * pc), 0, 0, mu
    if eq == 4:
        return R**2 / (9 * raiz3) * tc**2.5 / pc, raiz3 * R / 3 * tc / pc, 0, 0, mu
    if eq == 5:
        a0, b0 = 27 * R**2 * tc**2 / (64 * pc), R * tc / (8 * pc)
        return mp.mpf(1), b0 - a0 / (R * T), b0**2, b0**3, mu
    if eq == 6:
        mu = c[2]
        a = mp.exp(mp.log(pc) + mu * mp.log(R * tc / (4 * mu * pc)) + (mu - 1) * mp.log(mu - 1)
                   + (mu + 1) * mp.log(mu + 1))
        return a, (mu - 1)**2 * R * tc / (4 * mu * pc), 0, 0, mu
    if eq in (7, 8):
        omega = c[2] if c[2] != -1 else mp.mpf(OMEGA[numgas - 1])
        if eq == 7:
            m = mp.mpf("0.48") + mp.mpf("1.574") * omega - mp.mpf("0.176") * omega**2
            a = mp.mpf("0.42748") * R**2 * tc**2 / pc
            b = raiz3 * R / 3 * tc / pc
        else:
            m = mp.mpf("0.37464") + mp.mpf("1.54226") * omega - mp.mpf("0.26992") * omega**2
            a = mp.mpf("0.45724") * R**2 * tc**2 / pc
            b = mp.mpf("0.0778") * R * tc / pc
        return a * (1 + m * (1 - mp.sqrt(T / tc)))**2, b, 0, 0, mu
    if eq == 9:
        return mp.mpf("0.810435") * R**2 * tc**2 / pc, mp.mpf("0.386242") * R * tc / pc, 0, 0, mu
    raise ValueError("equation %d" % eq)


class Isoterma:
    def __init__(self, eq, T, a, b, c=0, d=0, mu=0):
        self.eq, self.T = eq, mp.mpf(T)
        self.a, self.b, self.c, self.d, self.mu = (mp.mpf(x) for x in (a, b, c, d, mu))
        self.rt = R * self.T
        self.vs = {5: mp.mpf(0), 9: self.b / 4}.get(eq, self.b)

    def P(self, V):
        eq, rt, a, b, T = self.eq, self.rt, self.a, self.b, self.T
        if eq == 1:
            return rt / (V - b) - a / V**2
        if eq == 2:
            return rt / (V - b) - a / (T * V**2)
        if eq == 3:
            return rt / (V - b) * mp.exp(-a / (rt * V))
        if eq == 4:
            return rt / (V - b) - a / (mp.sqrt(T) * V * (V + b))
        if eq == 5:
            return rt / V * (a + b / V + self.c / V**2 + self.d / V**3)
        if eq == 6:
            return rt / (V - b) - a / V**self.mu
        if eq == 7:
            return rt / (V - b) - a / (V * (V + b))
        if eq == 8:
            return rt / (V - b) - a / (V * (V + b) + b * (V - b))
        y = b / (4 * V)
        return rt / V * (1 + y + y**2 - y**3) / (1 - y)**3 * mp.exp(-a / (rt * V))

    def dP(self, V):
        eq, rt, a, b, T = self.eq, self.rt, self.a, self.b, self.T
        if eq == 1:
            return -rt / (V - b)**2 + 2 * a / V**3
        if eq == 2:
            return -rt / (V - b)**2 + 2 * a / (T * V**3)
        if eq == 3:
            return self.P(V) * (a / (rt * V**2) - 1 / (V - b))
        if eq == 4:
            return -rt / (V - b)**2 + a * (2 * V + b) / (mp.sqrt(T) * V**2 * (V + b)**2)
        if eq == 5:
            return rt * (-a / V**2 - 2 * b / V**3 - 3 * self.c / V**4 - 4 * self.d / V**5)
        if eq == 6:
            return -rt / (V - b)**2 + self.mu * a / V**(self.mu + 1)
        if eq == 7:
            return -rt / (V - b)**2 + a * (2 * V + b) / (V**2 * (V + b)**2)
        if eq == 8:
            W = V * (V + b) + b * (V - b)
            return -rt / (V - b)**2 + a * (2 * V + 2 * b) / W**2
        y = b / (4 * V)
        g = (1 + y + y**2 - y**3) / (1 - y)**3
        dg = ((1 + 2 * y - 3 * y**2) * (1 - y) + 3 * (1 + y + y**2 - y**3)) / (1 - y)**4
        return self.P(V) * (-1 / V - (y / V) * dg / g + a / (rt * V**2))

    def F(self, V):
        """Antiderivative of P dV, for every equation but 9."""
        eq, rt, a, b, T = self.eq, self.rt, self.a, self.b, self.T
        if eq == 1:
            return rt * mp.log(V - b) + a / V
        if eq == 2:
            return rt * mp.log(V - b) + a / (T * V)
        if eq == 3:
            k = a / rt
            return -rt * (mp.ei(-k / V) - mp.exp(-k / b) * mp.ei(k / b - k / V))
        if eq == 4:
            return rt * mp.log(V - b) + a / (mp.sqrt(T) * b) * mp.log((V + b) / V)
        if eq == 5:
            return rt * (a * mp.log(V) - b / V - self.c / (2 * V**2) - self.d / (3 * V**3))
        if eq == 6:
            return rt * mp.log(V - b) + a / ((self.mu - 1) * V**(self.mu - 1))
        if eq == 7:
            return rt * mp.log(V - b) + a / b * mp.log((V + b) / V)
        if eq == 8:
            r2 = mp.sqrt(2)
            return rt * mp.log(V - b) + a / (2 * r2 * b) * mp.log((V + (1 + r2) * b) / (V + (1 - r2) * b))
        raise ValueError("no closed form")

    def integral_cuadratura(self, V1, V2):
        x1, x2 = mp.log(V1 - self.vs), mp.log(V2 - self.vs)
        n = max(1, int(mp.ceil(abs(x2 - x1))))
        nodos = [x1 + (x2 - x1) * k / n for k in range(n + 1)]
        return mp.quad(lambda x: self.P(self.vs + mp.exp(x)) * mp.exp(x), nodos)

    def integral(self, V1, V2):
        if self.eq == 9:
            return self.integral_cuadratura(V1, V2)
        return self.F(V2) - self.F(V1)


def raiz(f, x0, x1, rel=mp.mpf(10)**-37, limite=2000):
    """Zero of f between x0 and x1 (values of opposite sign): Illinois, with a
    bisection whenever the bracket does not halve in three steps."""
    f0, f1 = f(x0), f(x1)
    if f0 == 0:
        return x0
    if f1 == 0:
        return x1
    if (f0 > 0) == (f1 > 0):
        raise ArithmeticError("not bracketed")
    lado, ancho, cuenta = 0, abs(x1 - x0), 0
    for _ in range(limite):
        if cuenta >= 3:
            x = (x0 + x1) / 2
            cuenta = 0
        else:
            x = x1 - f1 * (x1 - x0) / (f1 - f0)
            if not (min(x0, x1) < x < max(x0, x1)):
                x = (x0 + x1) / 2
        fx = f(x)
        if fx == 0:
            return x
        if (fx > 0) == (f1 > 0):
            x1, f1 = x, fx
            if lado == 1:
                f0 /= 2
            lado = 1
        else:
            x0, f0 = x, fx
            if lado == 0:
                f1 /= 2
            lado = 0
        nuevo = abs(x1 - x0)
        cuenta = 0 if nuevo < ancho / 2 else cuenta + 1
        if nuevo < ancho / 2:
            ancho = nuevo
        if nuevo <= rel * max(abs(x0), abs(x1), mp.mpf(10)**-30):
            return (x0 + x1) / 2
    raise ArithmeticError("no convergence")


def espinodales(iso, tr):
    """(Vmin, Vmax) of the loop, or None when the isotherm has none."""
    s = iso.b if iso.eq != 5 else mp.sqrt(iso.c)
    x_lo = mp.log(s * mp.mpf(10)**-6)
    x_hi = mp.log(s * 1000 / mp.mpf(tr)**2)
    n = 4000
    xs = [x_lo + (x_hi - x_lo) * k / n for k in range(n + 1)]
    V = lambda x: iso.vs + mp.exp(x)
    d = [iso.dP(V(x)) for x in xs]
    dpx = lambda x: iso.dP(V(x))
    for k in range(n):
        if d[k] < 0 and d[k + 1] >= 0:
            vmin = V(raiz(dpx, xs[k], xs[k + 1]))
            for j in range(k + 1, n):
                if d[j] > 0 and d[j + 1] <= 0:
                    return vmin, V(raiz(dpx, xs[j], xs[j + 1]))
            return None
    # A loop narrower than the grid: around the largest V·dP/dV/|P|.
    g = [V(x) * dd / abs(iso.P(V(x))) for x, dd in zip(xs, d)]
    k = max(range(1, n), key=lambda j: g[j])
    lo, hi = xs[k - 1], xs[k + 1]
    for _ in range(200):  # golden section for the largest slope
        m1, m2 = lo + (hi - lo) * mp.mpf("0.381966"), hi - (hi - lo) * mp.mpf("0.381966")
        if dpx(m1) < dpx(m2):
            lo = m1
        else:
            hi = m2
    xm = (lo + hi) / 2
    if dpx(xm) <= 0:
        return None
    return V(raiz(dpx, xs[k - 1], xm)), V(raiz(dpx, xm, xs[k + 1]))


def raices(iso, p, vmin, vmax):
    """Liquid and gas volumes at pressure p."""
    k = 1
    while iso.P(iso.vs + (vmin - iso.vs) / 2**k) <= p:
        k += 1
        if k > 3000:
            raise ArithmeticError("no liquid root")
    vl = iso.vs + mp.exp(raiz(lambda x: iso.P(iso.vs + mp.exp(x)) - p,
                              mp.log((vmin - iso.vs) / 2**k), mp.log(vmin - iso.vs)))
    hi = 2 * iso.rt / p
    while iso.P(hi) >= p:
        hi *= 2
    vg = mp.exp(raiz(lambda x: mp.log(iso.P(mp.exp(x)) / p), mp.log(vmax), mp.log(hi)))
    return vl, vg


def presion_vapor(iso, tr):
    """(p, vl, vg), or None without a loop."""
    sp = espinodales(iso, tr)
    if sp is None:
        return None
    vmin, vmax = sp
    pmin, pmax = iso.P(vmin), iso.P(vmax)

    def area(s):
        p = mp.exp(s)
        vl, vg = raices(iso, p, vmin, vmax)
        return p * (vg - vl) - iso.integral(vl, vg)

    eps = mp.mpf(10)**-30
    s_hi = mp.log(pmax * (1 - eps))
    if pmin > 0:
        s_lo = mp.log(pmin * (1 + eps))
    else:
        s_lo = s_hi - 1
        while area(s_lo) > 0:
            s_lo -= 2 * (s_hi - s_lo)
    s = raiz(area, s_lo, s_hi, rel=mp.mpf(10)**-36)
    p = mp.exp(s)
    vl, vg = raices(iso, p, vmin, vmax)
    return p, vl, vg


def caso(numgas, eq, tr):
    tc = mp.mpf(lee_gas(numgas)["tc"])
    T = mp.mpf(tr) * tc
    a, b, c, d, mu = parametros(numgas, eq, T)
    return presion_vapor(Isoterma(eq, T, a, b, c, d, mu), tr)


def entalpia(numgas, eq, T):
    """(p, vl, vg, dh) at the temperature T (a double); dh = T·(vg - vl)·dp/dT
    in atm·l/mol, by Clapeyron's equation with the slope of the exact vapour
    pressure curve (a central difference whose error, of the order of h², lies
    far below the digits printed); None without a loop."""
    tc = mp.mpf(lee_gas(numgas)["tc"])
    T = mp.mpf(T)

    def pv(t):
        return presion_vapor(Isoterma(eq, t, *parametros(numgas, eq, t)), t / tc)

    r = pv(T)
    if r is None:
        return None
    p, vl, vg = r
    h = mp.mpf(10)**-12
    pendiente = (pv(T + h)[0] - pv(T - h)[0]) / (2 * h)
    return p, vl, vg, T * (vg - vl) * pendiente


def comprueba():
    """Closed forms against quadrature, derivatives against differentiation."""
    peor_i, peor_d = 0, 0
    for eq in range(1, 10):
        for tr in ("0.3", "0.8"):
            T = mp.mpf(tr) * mp.mpf(lee_gas(21)["tc"])
            iso = Isoterma(eq, T, *parametros(21, eq, T))
            for V in (iso.vs + iso.b / 3 + mp.mpf("0.01"), mp.mpf("0.3"), mp.mpf("7")):
                dd = mp.diff(iso.P, V)
                peor_d = max(peor_d, abs(iso.dP(V) - dd) / abs(dd))
            if eq != 9:
                V1, V2 = iso.vs + iso.b / 2 + mp.mpf("0.005"), mp.mpf(50)
                q = iso.integral_cuadratura(V1, V2)
                peor_i = max(peor_i, abs(iso.integral(V1, V2) - q) / abs(q))
    print("largest relative difference: integrals %s, derivatives %s"
          % (mp.nstr(peor_i, 3), mp.nstr(peor_d, 3)))


GASES = (1, 3, 19, 21, 22, 27, 28)  # He, Ar, H2O, CO2, CH4, n-hexane, toluene
TRS = ["0.02", "0.03", "0.05", "0.07", "0.1", "0.13", "0.16", "0.2", "0.25", "0.3", "0.35",
       "0.4", "0.45", "0.5", "0.55", "0.6", "0.65", "0.7", "0.75", "0.8", "0.85", "0.9",
       "0.95", "0.97", "0.99", "0.995", "0.999", "0.9995", "0.9999", "0.99995", "0.99999"]


def fila(args):
    g, eq, tr = args
    try:
        r = caso(g, eq, tr)
    except (ArithmeticError, ValueError, ZeroDivisionError) as e:
        return "%d,%d,%s,error %s" % (g, eq, tr, e)
    if r is None:
        return "%d,%d,%s,none" % (g, eq, tr)
    return "%d,%d,%s,%s,%s,%s" % (g, eq, tr, *(mp.nstr(x, 22) for x in r))


def barrido(salida, procesos):
    import multiprocessing
    trabajos = [(g, eq, tr) for eq in range(1, 10) for g in GASES for tr in TRS]
    with multiprocessing.Pool(procesos) as pool, open(salida, "w") as f:
        f.write("gas,eq,tr,p,vl,vg\n")
        for linea in pool.imap(fila, trabajos):
            f.write(linea + "\n")
            f.flush()


def main():
    if sys.argv[1:2] == ["--comprueba"]:
        comprueba()
    elif sys.argv[1] in ("--entalpia", "--entalpia-t"):
        g, eq = int(sys.argv[2]), int(sys.argv[3])
        tc = float(lee_gas(g)["tc"])
        for x in sys.argv[4:]:
            T = float(x) * tc if sys.argv[1] == "--entalpia" else float(x)
            r = entalpia(g, eq, T)
            print("%d,%d,%s,%s" % (g, eq, x, "none" if r is None else
                                   ",".join(mp.nstr(v, 17) for v in r)))
    elif sys.argv[1:2] == ["--barrido"]:
        barrido(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 3)
    else:
        g, eq = int(sys.argv[1]), int(sys.argv[2])
        for tr in sys.argv[3:]:
            print(fila((g, eq, tr)))


if __name__ == "__main__":
    main()
