#!/usr/bin/env python3
"""Writes data/idioma.lng, the language file shipped with the program.

Every text number the program reads, in Spanish and English. The file is
Windows-1252 with CR LF on every line; section [idioma] names the current
language, then one section per language with its texts by number, in
increasing order and the same order in every section.

Usage: scripts/gen_idioma.py [OUTPUT]   (default: data/idioma.lng beside this script's folder)
"""
import os
import sys

IDIOMA_INICIAL = "Español"
IDIOMAS = ("Español", "English")

# (number, Spanish, English). "&" marks the access key of a menu entry or a
# button; the program strips it wherever the text is shown otherwise.
TEXTOS = [
    (1, '&Archivos', '&File'),
    (2, '&Datos', '&Data'),
    (3, '&Gráficos', '&Graphs'),
    (4, '&Calcular', '&Calculate'),
    (5, '&Simulaciones', '&Simulations'),
    (6, '&Tablas', '&Tables'),
    (7, '&Idioma', '&Language'),
    (8, 'Ay&uda', '&Help'),
    (9, '&Nuevo', '&New'),
    (10, '&Salir', 'E&xit'),
    (11, '&Unidades', '&Units'),
    (12, '&Moles', '&Moles'),
    (13, '&Gramos', '&Grams'),
    (14, '&Gases y condiciones', '&Gases and conditions'),
    (15, '&Dibujos', '&Plots'),
    (16, '&Escala', '&Scale'),
    (17, 'Calcular  P (T,V)', 'Calculate P (T,V)'),
    (18, 'Calcular  V (T,P)', 'Calculate V (T,P)'),
    (19, 'Calcular  T (P,V)', 'Calculate T (P,V)'),
    (20, 'Calcular  f (P,V,T) ,  Pv  y  Hvap', 'Calculate f (P,V,T), Pv and Hvap'),
    (21, '&Operaciones', '&Operations'),
    (22, 'Propiedades de &Gases', '&Gas properties'),
    (23, 'Constantes &Termodinámicas', '&Thermodynamic constants'),
    (24, '&Escalas Termométricas', 'Thermometric &scales'),
    (25, 'Fecha:', 'Date:'),
    (27, 'Textos del programa', 'Program texts'),
    (28, 'Editar idiomas...', 'Edit languages...'),
    (29, 'Editar idiomas...', 'Edit languages...'),
    (30, 'Ay&uda', '&Help'),
    (31, '&Acerca de', '&About'),
    (32, 'Nuevo Archivo', 'New file'),
    (33, 'Unidades: MOL', 'Units: MOL'),
    (34, 'Unidades: GRAMO', 'Units: GRAM'),
    (35, 'Propiedades (experimentales) de algunos gases', '(Experimental) properties of some gases'),
    (36, 'No se encuentra el fichero de ayuda de este idioma.', 'No help file was found for this language.'),
    (37, '&Imprimir', '&Print'),
    (38, '&Guardar', '&Save'),
    (39, 'No se ha podido imprimir el fichero de idiomas.', 'The language file could not be printed.'),
    (40, '¿Desea guardar los cambios de', 'Save the changes to'),
    (50, 'Gas', 'Gas'),
    (51, 'Ecuación', 'Equation'),
    (52, 'Temperatura (K)', 'Temperature (K)'),
    (53, 'Moles', 'Moles'),
    (54, 'Parámetros', 'Parameters'),
    (55, '&Mostrar gráfico', '&Show graph'),
    (58, '&Actualizar gráfico', '&Update graph'),
    (60, 'Acerca de KOR-GAS', 'About KOR-GAS'),
    (61, 'Versión 1.0', 'Version 1.0'),
    (62, 'Tratamiento de ecuaciones de estado para distintos tipos de gases.', 'Treatment of equations of state for different kinds of gases.'),
    (63, 'Programa de uso docente, distribuido sin garantía de ningún tipo.', 'Teaching software, distributed without warranty of any kind.'),
    (64, '&Información...', '&System Info...'),
    (65, '&Aceptar', '&OK'),
    (70, 'Cantidad de Materia', 'Amount of substance'),
    (71, 'Temperatura:', 'Temperature:'),
    (72, 'Presión:', 'Pressure:'),
    (73, 'Volumen:', 'Volume:'),
    (77, 'Valor mínimo de la cantidad de materia:', 'Minimum amount of substance:'),
    (78, 'Valor máximo de la cantidad de materia:', 'Maximum amount of substance:'),
    (79, 'Valor mínimo de la temperatura:', 'Minimum temperature:'),
    (80, 'Valor máximo de la temperatura:', 'Maximum temperature:'),
    (81, 'Valor mínimo del volumen:', 'Minimum volume:'),
    (82, 'Valor máximo del volumen:', 'Maximum volume:'),
    (83, 'Valor mínimo de la presión:', 'Minimum pressure:'),
    (84, 'Valor máximo de la presión:', 'Maximum pressure:'),
    (85, 'GAS IDEAL', 'IDEAL GAS'),
    (86, 'VAN DER WAALS GENERALIZADA', 'GENERALISED VAN DER WAALS'),
    (87, 'Los coeficientes de la ecuación del virial dependen de la temperatura.', 'The virial coefficients depend on the temperature.'),
    (88, 'Si no se conocen, se estiman con las constantes de Van der Waals:', 'When not known, they are estimated from the van der Waals constants:'),
    (89, 'A = 1, B = b - a/RT, C = b², D = b³.', 'A = 1, B = b - a/RT, C = b², D = b³.'),
    (90, 'El volumen está fuera de la escala del pistón.', "The volume is outside the piston's scale."),
    (91, 'La temperatura está fuera de la escala del termómetro.', "The temperature is outside the thermometer's scale."),
    (92, 'La temperatura está fuera de la escala del termopar.', "The temperature is outside the thermocouple's scale."),
    (93, 'El exponente µ debe ser mayor que 1.', 'The exponent µ must be greater than 1.'),
    (94, 'La presión está fuera de la escala del barómetro.', "The pressure is outside the barometer's scale."),
    (95, 'La presión está fuera de la escala del manómetro.', "The pressure is outside the manometer's scale."),
    (100, 'Constante de Avogadro', 'Avogadro constant'),
    (101, 'Constante de Boltzmann', 'Boltzmann constant'),
    (102, 'Constante de los gases', 'Gas constant'),
    (103, 'Caloría', 'Calorie'),
    (104, 'Atmósfera normal', 'Standard atmosphere'),
    (105, 'Constante de Planck', 'Planck constant'),
    (106, 'Unidad de masa atómica', 'Atomic mass unit'),
    (107, 'Masa del electrón', 'Electron mass'),
    (108, 'Masa del protón', 'Proton mass'),
    (110, 'Escala Centígrada', 'Celsius scale'),
    (111, 'Escala Kelvin', 'Kelvin scale'),
    (112, 'Escala Fahrenheit', 'Fahrenheit scale'),
    (113, 'Escala Rankine', 'Rankine scale'),
    (114, 'Escala Réaumur', 'Réaumur scale'),
    (120, 'Estimación del equilibrio líquido-gas (criterio de Maxwell)', "Liquid-gas equilibrium estimate (Maxwell's criterion)"),
    (121, 'V. del líquido:', 'Liquid vol.:'),
    (122, 'V. del gas:', 'Gas vol.:'),
    (123, 'D. del líquido:', 'Liquid dens.:'),
    (124, 'D. del gas:', 'Gas dens.:'),
    (125, 'Presión de vapor:', 'Vapour pressure:'),
    (126, 'Entalpía de vaporización:', 'Enthalpy of vaporisation:'),
    (127, 'Calcular', 'Calculate'),
    (128, 'No calculable', 'Not computable'),
    (129, 'Pv ~ 0', 'Pv ~ 0'),
    (140, 'Tabla de datos', 'Data table'),
    (141, 'Parámetros Personalizados', 'Custom parameters'),
    (142, 'Utilizar datos Personalizados', 'Use custom data'),
    (143, 'Gas', 'Gas'),
    (144, 'Parámetros de la ecuación:', 'Equation parameters:'),
    (150, 'Escala', 'Scale'),
    (151, 'V mínimo:', 'V minimum:'),
    (152, 'V máximo:', 'V maximum:'),
    (153, 'P mínimo:', 'P minimum:'),
    (154, 'P máximo:', 'P maximum:'),
    (155, 'Escala P automática', 'Automatic P scale'),
    (156, '&Cancelar', '&Cancel'),
    (160, 'El método numérico no converge: no se ha encontrado la solución.', 'The numerical method did not converge: no solution was found.'),
    (161, 'Cálculo numérico', 'Numerical solution'),
    (162, 'El intervalo de presiones de la escala es nulo.', 'The pressure range of the scale is zero.'),
    (163, 'No se puede dibujar la gráfica.', 'The graph cannot be drawn.'),
    (164, 'El intervalo de volúmenes de la escala es nulo.', 'The volume range of the scale is zero.'),
    (165, 'El intervalo de presiones de la escala es demasiado grande.', 'The pressure range of the scale is too large.'),
    (166, 'El intervalo de volúmenes de la escala es demasiado grande.', 'The volume range of the scale is too large.'),
    (167, 'No se encuentra ese idioma en el fichero de idiomas.', 'That language is not in the language file.'),
    (168, 'El nuevo idioma se utilizará la próxima vez que inicie el programa.', 'The new language will be used the next time you start the program.'),
    (169, 'La ecuación de segundo grado no tiene raíces reales: no se puede calcular la temperatura.', 'The quadratic equation has no real roots: the temperature cannot be calculated.'),
    (180, 'Programa de Química Física', 'Physical chemistry software'),
    (181, 'Ecuaciones de estado de los gases reales:', 'Equations of state of real gases:'),
    (182, 'cálculo, simulación y gráficas.', 'calculation, simulation and graphs.'),
    (183, 'Versión 1.0', 'Version 1.0'),
    (184, 'La información del sistema no está disponible en este momento.', 'System information is not available at this time.'),
    (185, 'Escriba el nombre del nuevo idioma en la cabecera de su columna y vuelva a guardar.', 'Type the name of the new language in its column header and save again.'),
    (190, 'Añadir/Eliminar Gases', 'Add/Delete Gases'),
    (191, 'Peso molecular (g/mol)', 'Molar mass (g/mol)'),
    (192, 'Presión crítica (atm)', 'Critical pressure (atm)'),
    (193, 'Temperatura crítica (K)', 'Critical temperature (K)'),
    (194, 'Volumen crítico (l/mol)', 'Critical volume (l/mol)'),
    (195, 'Temperatura de ebullición (K)', 'Boiling point (K)'),
    (196, 'Entalpía de vaporización (Kcal/mol)', 'Enthalpy of vaporisation (Kcal/mol)'),
    (197, 'Calcular a partir de los datos críticos', 'Compute from critical data'),
    (198, 'Introduzca antes la presión y la temperatura críticas.', 'Enter the critical pressure and temperature first.'),
    (199, 'Los valores mostrados se calculan a 300 K; al usar el gas se recalculan a su temperatura.', 'The values shown are computed at 300 K; when the gas is used they are recomputed at its temperature.'),
    (200, 'Introduzca el nombre del gas.', 'Enter the name of the gas.'),
    (201, 'El peso molecular debe ser mayor que 0.', 'The molar mass must be greater than 0.'),
    (202, 'La presión crítica debe ser mayor que 0.', 'The critical pressure must be greater than 0.'),
    (203, 'La temperatura crítica debe ser mayor que 0.', 'The critical temperature must be greater than 0.'),
    (207, 'Añadir', 'Add'),
    (208, 'Seleccionar', 'Select'),
    (209, 'Modificar', 'Modify'),
    (210, 'Eliminar', 'Delete'),
    (220, 'El gas se ha eliminado.', 'The gas has been deleted.'),
    (221, 'No se encuentra el gas en el fichero de datos.', 'The gas was not found in the data file.'),
    (222, 'Los datos del gas se han modificado.', 'The gas data have been modified.'),
    (223, 'No se han podido modificar los datos del gas.', 'The gas data could not be modified.'),
    (224, 'El gas se ha añadido.', 'The gas has been added.'),
    (225, 'No se ha podido añadir el gas.', 'The gas could not be added.'),
    (230, 'Dato obligatorio', 'Required field'),
    (231, 'El nombre del gas tiene caracteres que el fichero de datos no puede guardar.',
     'The gas name has characters that the data file cannot hold.'),
    (232, 'Los sistemas que usaban el gas eliminado pasan a usar el gas 1:',
     'The systems that used the deleted gas now use gas 1:'),
]


def comprobar():
    numeros = [n for n, _, _ in TEXTOS]
    assert numeros == sorted(set(numeros)), "text numbers must be unique and in order"
    for n, es, en in TEXTOS:
        for t in (es, en):
            assert t and t == t.strip(), f"text {n}: empty or with blanks at its ends"
            assert "\r" not in t and "\n" not in t, f"text {n}: line break"
            t.encode("cp1252")  # every character must exist in Windows-1252


def lineas():
    yield "[idioma]"
    yield "idioma=" + IDIOMA_INICIAL
    for columna, idioma in enumerate(IDIOMAS, start=1):
        yield ""
        yield "[" + idioma + "]"
        for fila in TEXTOS:
            yield f"{fila[0]}={fila[columna]}"


def main():
    comprobar()
    raiz = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    salida = sys.argv[1] if len(sys.argv) > 1 else os.path.join(raiz, "data", "idioma.lng")
    datos = "".join(l + "\r\n" for l in lineas()).encode("cp1252")
    with open(salida, "wb") as f:
        f.write(datos)


if __name__ == "__main__":
    main()
