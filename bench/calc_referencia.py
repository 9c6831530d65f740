#!/usr/bin/env python3
"""The batch run `vortena-calc RED.vtq propagar calcular medidas` written
plainly in Python (standard library only), as the yardstick the benchmarks
compare the program with: read the file, propagate the required output
backwards into arrival rates, compute every centre's queue measures and
costs, run PERT with the waiting times, print the measures table.

    python3 bench/calc_referencia.py RED.vtq > medidas.txt
"""

import math
import sys

TARDIO_INICIAL = 1.5209069486236225e45
LIMITE_ESTADOS = 1000


class Centro:
    pass


class Conexion:
    pass


def numero(texto):
    return float(texto.strip().replace(",", "."))


def leer(ruta):
    with open(ruta, "rb") as f:
        lineas = f.read().decode("cp1252").split("\n")
    lineas = [l[:-1] if l.endswith("\r") else l for l in lineas]
    centros, conexiones = [None], [None]
    inicio = fin = 0
    i = 0
    while i < len(lineas):
        marca = lineas[i]
        i += 1
        if marca == "%":
            inicio, fin = int(numero(lineas[i])), int(numero(lineas[i + 1]))
            i += 2
        elif marca == "@":
            c = Centro()
            v = [numero(lineas[i + k]) for k in range(14)]
            i += 14
            (c.posicion, c.x1, c.x2, c.y1, c.y2, c.Lamda, c.Mu, c.Servidores, c.Probabilidad,
             c.CostoEspera, c.CostoCentro, c.Desvlamda, c.DesvMu, c.Salida) = v
            c.posicion, c.Servidores = int(c.posicion), int(c.Servidores)
            c.entradas, c.salidas = [], []
            for lista in (c.entradas, c.salidas):
                tam = int(numero(lineas[i]))
                i += 1
                if tam >= 0:
                    lista.extend(int(numero(x)) for x in lineas[i].split("|"))
                    i += 1
            c.Nombre, c.Descripcion = lineas[i], lineas[i + 1]
            i += 2
            for campo in ("Rho", "Trafico", "P0", "Pn", "Lq", "L", "W", "Wq",
                          "CtoEsperaCentro", "CtoTotalServidores", "CtoImproductividad",
                          "CtoEsperaCola", "tmpoTemprano", "tmpoTardio", "indFlotamiento"):
                setattr(c, campo, 0.0)
            c.MaximaCola, c.TempranoWH, c.tardioWH = 0, False, False
            centros.append(c)
        elif marca == "$":
            l = Conexion()
            v = [numero(lineas[i + k]) for k in range(8)]
            i += 8
            l.multiplicador = v[5]
            l.inicio, l.fin = int(v[6]), int(v[7])
            l.multReal = 0.0
            conexiones.append(l)
    return centros, conexiones, inicio, fin


def orden_topologico(centros, conexiones):
    pendientes = [0] * len(centros)
    orden = []
    for c in centros[1:]:
        pendientes[c.posicion] = len(c.entradas)
        if not c.entradas:
            orden.append(c.posicion)
    k = 0
    while k < len(orden):
        for s in centros[orden[k]].salidas:
            f = conexiones[s].fin
            pendientes[f] -= 1
            if pendientes[f] == 0:
                orden.append(f)
        k += 1
    return orden


def propagar(centros, conexiones):
    fin, salida = 0, 0.0
    for c in centros[1:]:
        if c.Nombre == "FIN":
            fin, salida = c.posicion, c.Salida
        c.aux, c.Lamda = c.Lamda, 0.0
    orden = orden_topologico(centros, conexiones)
    n = len(centros)
    entrada, alcanzado = [0.0] * n, [False] * n
    entrada[1], alcanzado[1] = 1.0, True
    for v in orden:
        if alcanzado[v]:
            for s in centros[v].salidas:
                l = conexiones[s]
                l.multReal = l.multiplicador * entrada[v]
                entrada[l.fin] += l.multReal
                alcanzado[l.fin] = True
    if fin == 0:
        return
    total = [0.0] * n
    for l in conexiones[1:]:
        total[l.fin] += l.multReal
    flujo, visitado = [0.0] * n, [False] * n
    flujo[fin] = salida
    for y in reversed(orden):
        if (y != fin and not visitado[y]) or not total[y] > 0:
            continue
        por_unidad = flujo[y] / total[y]
        for e in centros[y].entradas:
            l = conexiones[e]
            if centros[l.inicio].Nombre == "INICIO":
                continue
            flujo[l.inicio] += l.multReal * por_unidad
            visitado[l.inicio] = True
    for x in centros[1:]:
        if not visitado[x.posicion]:
            continue
        x.Lamda = flujo[x.posicion]
        if x.aux != 0 and 1.0 / x.aux == x.Desvlamda and x.Lamda != 0:
            x.Desvlamda = 1.0 / x.Lamda
            x.aux = x.Lamda
        x.Servidores = int(x.Lamda / x.Mu) + 1


def calculos(c):
    c.Rho = c.Lamda / c.Mu
    if c.Rho / c.Servidores >= 1.0:
        c.Servidores = int(c.Lamda / c.Mu) + 1
    s = c.Servidores
    c.Trafico = c.Rho / s
    a = c.Desvlamda / (1.0 / c.Lamda)
    d = c.DesvMu / (1.0 / c.Mu)
    k = 0.125 * (a * a + d * d) + 0.25 * a * d + 0.125 * (a + d) + 0.25
    r = c.Lamda / c.Mu
    suma, potencia, factorial = 1.0, 1.0, 1.0
    for n in range(1, s):
        factorial *= n
        potencia *= r
        suma += potencia / factorial
    potencia_s = potencia * r
    s_mu = s * c.Mu
    holgura = s_mu - c.Lamda
    q = s_mu / holgura
    inversa = 1.0 / (s * factorial)
    c.P0 = 1.0 / (suma + inversa * potencia_s * q)
    c.Pn = inversa * c.P0 * potencia_s * q * k
    acumulada = termino = c.P0
    n = 1
    while n <= s:
        termino = termino * c.Rho / n
        acumulada += termino
        if acumulada >= c.Probabilidad:
            break
        n += 1
    if acumulada < c.Probabilidad:
        n = s + 1
        while acumulada < c.Probabilidad and n < LIMITE_ESTADOS:
            termino = termino * c.Rho / s
            acumulada += termino
            n += 1
    c.MaximaCola = n - 1
    c.Wq = potencia_s * c.Mu * c.P0 * k / (holgura * holgura * factorial)
    c.Lq = c.Wq * c.Lamda
    c.W = 1.0 / c.Mu + c.Wq
    c.L = c.W * c.Lamda
    c.CtoTotalServidores = s * c.CostoCentro
    c.CtoEsperaCentro = c.L * c.CostoEspera
    c.CtoEsperaCola = c.Lq * c.CostoEspera
    c.CtoImproductividad = (s - c.Rho) * c.CostoCentro


def pert(centros, conexiones, inicio, fin):
    for c in centros[1:]:
        c.tmpoTemprano, c.tmpoTardio = 0.0, TARDIO_INICIAL
        c.g_E, c.g_S = len(c.entradas), len(c.salidas)
        c.TempranoWH = c.tardioWH = False
    for l in conexiones[1:]:
        l.TiempoTotal = 0.0 if l.inicio == inicio else centros[l.inicio].W
    listos = [inicio]
    for p in listos:
        c = centros[p]
        c.TempranoWH = True
        c.tmpoTemprano = max([0.0] + [conexiones[e].TiempoTotal for e in c.entradas])
        for s in c.salidas:
            l = conexiones[s]
            t = centros[l.fin]
            t.g_E -= 1
            l.TiempoTotal = l.TiempoTotal + c.tmpoTemprano if p != inicio else 0.0
            if t.g_E == 0:
                listos.append(t.posicion)
    e = centros[fin]
    e.tmpoTardio = e.tmpoTemprano
    e.indFlotamiento = 0.0
    listos = [fin]
    for p in listos:
        c = centros[p]
        c.tardioWH = True
        if p != fin and c.salidas:
            tardio = None
            for s in c.salidas:
                t = centros[conexiones[s].fin]
                x = t.tmpoTardio if t.posicion == fin else t.tmpoTardio - t.W
                if tardio is None or x < tardio:
                    tardio = x
            c.tmpoTardio = tardio
        for en in c.entradas:
            s = centros[conexiones[en].inicio]
            s.g_S -= 1
            if s.g_S == 0:
                listos.append(s.posicion)
        c.indFlotamiento = c.tmpoTardio - (c.W + c.tmpoTemprano)


def medidas(centros, salida):
    salida.write("posicion\tNombre\tLamda\tMu\tServidores\tRho\tTrafico\tP0\tPn\tLq\tL\tW\tWq\t"
                 "MaximaCola\tCtoEsperaCentro\tCtoTotalServidores\tCtoImproductividad\t"
                 "CtoEsperaCola\tDesvlamda\tDesvMu\tSalida\ttmpoTemprano\ttmpoTardio\t"
                 "indFlotamiento\tTempranoWH\ttardioWH\n")
    r = lambda v: "%.17g" % v
    for c in centros[1:]:
        campos = [str(c.posicion), c.Nombre.replace("\t", " "), r(c.Lamda), r(c.Mu),
                  str(c.Servidores)]
        campos += [r(v) for v in (c.Rho, c.Trafico, c.P0, c.Pn, c.Lq, c.L, c.W, c.Wq)]
        campos.append(str(c.MaximaCola))
        campos += [r(v) for v in (c.CtoEsperaCentro, c.CtoTotalServidores, c.CtoImproductividad,
                                  c.CtoEsperaCola, c.Desvlamda, c.DesvMu, c.Salida,
                                  c.tmpoTemprano, c.tmpoTardio, c.indFlotamiento)]
        campos += ["1" if c.TempranoWH else "0", "1" if c.tardioWH else "0"]
        salida.write("\t".join(campos) + "\n")


def main():
    centros, conexiones, inicio, fin = leer(sys.argv[1])
    propagar(centros, conexiones)
    for c in centros[1:]:
        if c.Nombre not in ("INICIO", "FIN"):
            calculos(c)
    pert(centros, conexiones, inicio, fin)
    medidas(centros, sys.stdout)


if __name__ == "__main__":
    main()
