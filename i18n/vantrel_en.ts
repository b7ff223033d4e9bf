<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="pt_PT">
<context>
    <name>Vantrel</name>
    <message>
        <source>Vantrel - Simulador de Osciloscópio Analógico</source>
        <translation>Vantrel - Analog Oscilloscope Simulator</translation>
    </message>
    <message>
        <source>Orientador:</source>
        <translation>Supervisor:</translation>
    </message>
    <message>
        <source>Data:</source>
        <translation>Date:</translation>
    </message>
    <message>
        <source>Versão:</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>Autor:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>Est.Ensino:</source>
        <translation>School:</translation>
    </message>
    <message>
        <source>Projecto Final de Licenciatura</source>
        <translation>Final Degree Project</translation>
    </message>
    <message>
        <source>Licenciatura em Engenharia Electrotécnica</source>
        <translation>Degree in Electrical Engineering</translation>
    </message>
    <message>
        <source>Prof. Nome do Orientador</source>
        <translation>Prof. Supervisor&apos;s Name</translation>
    </message>
    <message>
        <source>Ramo de Electrónica e Telecomunicações</source>
        <translation>Electronics and Telecommunications Branch</translation>
    </message>
    <message>
        <source>Equipa Vantrel</source>
        <translation>Vantrel Team</translation>
    </message>
    <message>
        <source>Instituto Politécnico</source>
        <translation>Polytechnic Institute</translation>
    </message>
    <message>
        <source>Escola Superior de Tecnologia</source>
        <translation>School of Technology</translation>
    </message>
    <message>
        <source>equipa@vantrel.example.org</source>
        <translation>equipa@vantrel.example.org</translation>
    </message>
    <message>
        <source>docentes@vantrel.example.org</source>
        <translation>docentes@vantrel.example.org</translation>
    </message>
    <message>
        <source>Dezembro de 2026</source>
        <translation>December 2026</translation>
    </message>
    <message>
        <source>Fechar</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Este programa pode ser copiado e instalado livremente.</source>
        <translation>This program may be copied and installed freely.</translation>
    </message>
    <message>
        <source>Ajuda:</source>
        <translation>Help:</translation>
    </message>
    <message>
        <source>Texto de ajuda</source>
        <translation>Help text</translation>
    </message>
    <message>
        <source>&lt;&lt;  __Anterior</source>
        <translation>&lt;&lt;  __Previous</translation>
    </message>
    <message>
        <source>__Mais</source>
        <translation>__More</translation>
    </message>
    <message>
        <source>__Fechar</source>
        <translation>__Close</translation>
    </message>
    <message>
        <source>__Seguinte  &gt;&gt;</source>
        <translation>__Next  &gt;&gt;</translation>
    </message>
    <message>
        <source>DC</source>
        <translation>DC</translation>
    </message>
    <message>
        <source>AC</source>
        <translation>AC</translation>
    </message>
    <message>
        <source>GD</source>
        <translation>GD</translation>
    </message>
    <message>
        <source>__Sair</source>
        <translation>__Exit</translation>
    </message>
    <message>
        <source>Acoplamento – CH I</source>
        <translation>Coupling – CH I</translation>
    </message>
    <message>
        <source>Acoplamento – CH II</source>
        <translation>Coupling – CH II</translation>
    </message>
    <message>
        <source>Gerador de Sinais</source>
        <translation>Signal Generator</translation>
    </message>
    <message>
        <source>Folha de Excel</source>
        <translation>Excel Worksheet</translation>
    </message>
    <message>
        <source>Cal. 0.2V</source>
        <translation>Cal. 0.2V</translation>
    </message>
    <message>
        <source>Cal. 2V</source>
        <translation>Cal. 2V</translation>
    </message>
    <message>
        <source>Placa de circuitos</source>
        <translation>Circuit board</translation>
    </message>
    <message>
        <source>Sync do outro gerador</source>
        <translation>Other generator&apos;s sync</translation>
    </message>
    <message>
        <source>Desligada</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>__Confirmar</source>
        <translation>__OK</translation>
    </message>
    <message>
        <source>__Cancelar</source>
        <translation>__Cancel</translation>
    </message>
    <message>
        <source>Escolher entrada a utilizar:</source>
        <translation>Choose the input to use:</translation>
    </message>
    <message>
        <source>VERT.</source>
        <translation>VERT.</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>ADD</translation>
    </message>
    <message>
        <source>DUAL</source>
        <translation>DUAL</translation>
    </message>
    <message>
        <source>CH I/II</source>
        <translation>CH I/II</translation>
    </message>
    <message>
        <source>TRIG I/II</source>
        <translation>TRIG I/II</translation>
    </message>
    <message>
        <source>Operar nos Canais</source>
        <translation>Channel Operation</translation>
    </message>
    <message>
        <source>Desligado</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Gerador 1</source>
        <translation>Generator 1</translation>
    </message>
    <message>
        <source>Gerador 2</source>
        <translation>Generator 2</translation>
    </message>
    <message>
        <source>Cal 0.2Vpp</source>
        <translation>Cal 0.2Vpp</translation>
    </message>
    <message>
        <source>Cal 2Vpp</source>
        <translation>Cal 2Vpp</translation>
    </message>
    <message>
        <source>Sinal de disparo externo:</source>
        <translation>External trigger signal:</translation>
    </message>
    <message>
        <source>C:\</source>
        <translation>C:\</translation>
    </message>
    <message>
        <source>C:\Programas\Microsoft Office\</source>
        <translation>C:\Programas\Microsoft Office\</translation>
    </message>
    <message>
        <source>Estado:</source>
        <translation>Status:</translation>
    </message>
    <message>
        <source>Carregar Dados</source>
        <translation>Load Data</translation>
    </message>
    <message>
        <source>Localização do Excel:</source>
        <translation>Excel location:</translation>
    </message>
    <message>
        <source>Procurar</source>
        <translation>Browse</translation>
    </message>
    <message>
        <source>Localização do ficheiro:</source>
        <translation>File location:</translation>
    </message>
    <message>
        <source>Usar o ficheiro template.xls para criação de um novo sinal.</source>
        <translation>Use the file template.xls to create a new signal.</translation>
    </message>
    <message>
        <source>Ligação ao Excel</source>
        <translation>Excel Link</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>Frequência</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>10</source>
        <translation>10</translation>
    </message>
    <message>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <source>1K</source>
        <translation>1K</translation>
    </message>
    <message>
        <source>100K</source>
        <translation>100K</translation>
    </message>
    <message>
        <source>1M</source>
        <translation>1M</translation>
    </message>
    <message>
        <source>10K</source>
        <translation>10K</translation>
    </message>
    <message>
        <source>Gama de frequência</source>
        <translation>Frequency range</translation>
    </message>
    <message>
        <source>Forma de onda</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>Gerador nº</source>
        <translation>Gen. no.</translation>
    </message>
    <message>
        <source>Frequência:</source>
        <translation>Frequency:</translation>
    </message>
    <message>
        <source>PHASE</source>
        <translation>PHASE</translation>
    </message>
    <message>
        <source>Digitar:</source>
        <translation>Type:</translation>
    </message>
    <message>
        <source>__Destacar</source>
        <translation>__Detach</translation>
    </message>
    <message>
        <source>Gerador</source>
        <translation>Generator</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>Fase</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>Subida da rampa (%)</source>
        <translation>Ramp rise (%)</translation>
    </message>
    <message>
        <source>Ciclo do impulso (%)</source>
        <translation>Pulse duty cycle (%)</translation>
    </message>
    <message>
        <source>Ramp/Pulse</source>
        <translation>Ramp/Pulse</translation>
    </message>
    <message>
        <source>0 dB</source>
        <translation>0 dB</translation>
    </message>
    <message>
        <source>−20 dB</source>
        <translation>−20 dB</translation>
    </message>
    <message>
        <source>−40 dB</source>
        <translation>−40 dB</translation>
    </message>
    <message>
        <source>ATT</source>
        <translation>ATT</translation>
    </message>
    <message>
        <source>Foco</source>
        <translation>Focus</translation>
    </message>
    <message>
        <source>Intensidade</source>
        <translation>Intensity</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>+</source>
        <translation>+</translation>
    </message>
    <message>
        <source>_</source>
        <translation>_</translation>
    </message>
    <message>
        <source>Nível de trigger</source>
        <translation>Trigger level</translation>
    </message>
    <message>
        <source>Hold-off do trigger</source>
        <translation>Trigger hold-off</translation>
    </message>
    <message>
        <source>Componente nas tomadas TEST:</source>
        <translation>Component on the TEST sockets:</translation>
    </message>
    <message>
        <source>Nada (circuito aberto)</source>
        <translation>Nothing (open circuit)</translation>
    </message>
    <message>
        <source>Curto-circuito</source>
        <translation>Short circuit</translation>
    </message>
    <message>
        <source>Resistência</source>
        <translation>Resistor</translation>
    </message>
    <message>
        <source>Condensador</source>
        <translation>Capacitor</translation>
    </message>
    <message>
        <source>Bobina</source>
        <translation>Inductor</translation>
    </message>
    <message>
        <source>RC série</source>
        <translation>Series RC</translation>
    </message>
    <message>
        <source>Díodo de silício</source>
        <translation>Silicon diode</translation>
    </message>
    <message>
        <source>Díodo de silício invertido</source>
        <translation>Reversed silicon diode</translation>
    </message>
    <message>
        <source>Díodo Zener</source>
        <translation>Zener diode</translation>
    </message>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Resistência (Ω)</source>
        <translation>Resistance (Ω)</translation>
    </message>
    <message>
        <source>1k</source>
        <translation>1k</translation>
    </message>
    <message>
        <source>Capacidade (F)</source>
        <translation>Capacitance (F)</translation>
    </message>
    <message>
        <source>1u</source>
        <translation>1u</translation>
    </message>
    <message>
        <source>Ex.: 4,7k  100n  2,2u  5,1</source>
        <translation>E.g.: 4.7k  100n  2.2u  5.1</translation>
    </message>
    <message>
        <source>Testador de componentes</source>
        <translation>Component tester</translation>
    </message>
    <message>
        <source>__SAIR</source>
        <translation>__EXIT</translation>
    </message>
    <message>
        <source>Graf</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>Tempo</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Volts/Div: </source>
        <translation>Volts/Div: </translation>
    </message>
    <message>
        <source>Time/Div: </source>
        <translation>Time/Div: </translation>
    </message>
    <message>
        <source>Canal 1</source>
        <translation>Chan. 1</translation>
    </message>
    <message>
        <source>Canal 2</source>
        <translation>Chan. 2</translation>
    </message>
    <message>
        <source>CH II</source>
        <translation>CH II</translation>
    </message>
    <message>
        <source>Grandezas dos sinais de entrada</source>
        <translation>Input signal quantities</translation>
    </message>
    <message>
        <source>CH I</source>
        <translation>CH I</translation>
    </message>
    <message>
        <source>Modo de Visualização</source>
        <translation>Display Mode</translation>
    </message>
    <message>
        <source>AJUDA: Para obter ajuda acerca de um comando, carregar com o botão direito do rato em cima do respectivo comando.</source>
        <translation>HELP: for help on a control, click it with the right mouse button.</translation>
    </message>
    <message>
        <source>VERT</source>
        <translation>VERT</translation>
    </message>
    <message>
        <source>INV</source>
        <translation>INV</translation>
    </message>
    <message>
        <source>AT/NM</source>
        <translation>AT/NM</translation>
    </message>
    <message>
        <source>XMAG</source>
        <translation>XMAG</translation>
    </message>
    <message>
        <source>+ / -</source>
        <translation>+ / -</translation>
    </message>
    <message>
        <source>CAL</source>
        <translation>CAL</translation>
    </message>
    <message>
        <source>GND</source>
        <translation>GND</translation>
    </message>
    <message>
        <source>X-Y</source>
        <translation>X-Y</translation>
    </message>
    <message>
        <source>Entrada:</source>
        <translation>Input:</translation>
    </message>
    <message>
        <source>Periodo</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Tensão pico-pico</source>
        <translation>Peak-to-peak voltage</translation>
    </message>
    <message>
        <source>Valor máximo</source>
        <translation>Maximum value</translation>
    </message>
    <message>
        <source>Valor Minimo</source>
        <translation>Minimum value</translation>
    </message>
    <message>
        <source>Valor Médio</source>
        <translation>Mean value</translation>
    </message>
    <message>
        <source>Valor Eficaz</source>
        <translation>RMS value</translation>
    </message>
    <message>
        <source>qq</source>
        <translation>qq</translation>
    </message>
    <message>
        <source>aa</source>
        <translation>aa</translation>
    </message>
    <message>
        <source>EXT</source>
        <translation>EXT</translation>
    </message>
    <message>
        <source>TESTER</source>
        <translation>TESTER</translation>
    </message>
    <message>
        <source>Abrir configuração…</source>
        <translation>Open set-up…</translation>
    </message>
    <message>
        <source>Guardar configuração…</source>
        <translation>Save set-up…</translation>
    </message>
    <message>
        <source>Reiniciar Osciloscopio</source>
        <translation>Reset Oscilloscope</translation>
    </message>
    <message>
        <source>Reiniciar Gerador 1</source>
        <translation>Reset Generator 1</translation>
    </message>
    <message>
        <source>Reiniciar Gerador 2</source>
        <translation>Reset Generator 2</translation>
    </message>
    <message>
        <source>Reiniciar Tudo</source>
        <translation>Reset All</translation>
    </message>
    <message>
        <source>Reiniciar</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>Sair</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>Ficheiro</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Capturar para Clipboard</source>
        <translation>Capture to Clipboard</translation>
    </message>
    <message>
        <source>Capturar para Ficheiro</source>
        <translation>Capture to File</translation>
    </message>
    <message>
        <source>Ecrã</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>Geradores</source>
        <translation>Generators</translation>
    </message>
    <message>
        <source>Página Oficial</source>
        <translation>Official Page</translation>
    </message>
    <message>
        <source>Acerca</source>
        <translation>About Vantrel</translation>
    </message>
    <message>
        <source>Sobre</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Vantrel v1.5</source>
        <translation>Vantrel v1.5</translation>
    </message>
    <message>
        <source>Placa:</source>
        <translation>Board:</translation>
    </message>
    <message>
        <source>Ligada ao:</source>
        <translation>Connected to:</translation>
    </message>
    <message>
        <source>Ponto medido pelo CH I:</source>
        <translation>Point measured by CH I:</translation>
    </message>
    <message>
        <source>Entrada</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>−</source>
        <translation>−</translation>
    </message>
    <message>
        <source>Com C</source>
        <translation>With C</translation>
    </message>
    <message>
        <source>__Painel do gerador</source>
        <translation>__Generator panel</translation>
    </message>
    <message>
        <source>Cal</source>
        <translation>Cal</translation>
    </message>
    <message>
        <source>Calibração horizontal</source>
        <translation>Horizontal calibration</translation>
    </message>
    <message>
        <source>Posição X</source>
        <translation>X position</translation>
    </message>
    <message>
        <source>Time / Div</source>
        <translation>Time / Div</translation>
    </message>
    <message>
        <source>__QUIT</source>
        <translation>__QUIT</translation>
    </message>
    <message>
        <source>Tempo/Div</source>
        <translation>Time/Div</translation>
    </message>
    <message>
        <source>Volts / Div</source>
        <translation>Volts / Div</translation>
    </message>
    <message>
        <source>Volts/Div</source>
        <translation>Volts/Div</translation>
    </message>
    <message>
        <source>Calibração vertical – CH I</source>
        <translation>Vertical calibration – CH I</translation>
    </message>
    <message>
        <source>Calibração vertical – CH II</source>
        <translation>Vertical calibration – CH II</translation>
    </message>
    <message>
        <source>Posição Y – CH I</source>
        <translation>Y position – CH I</translation>
    </message>
    <message>
        <source>Posição Y – CH II</source>
        <translation>Y position – CH II</translation>
    </message>
    <message>
        <source>mostra esta ajuda e termina</source>
        <translation>show this help and exit</translation>
    </message>
    <message>
        <source>mostra a versão e termina</source>
        <translation>show the version and exit</translation>
    </message>
    <message>
        <source>arranca sem mostrar a janela «Acerca»</source>
        <translation>start without showing the &quot;About&quot; window</translation>
    </message>
    <message>
        <source>arranca ligado no modo MODO: ch, dual, alt, add ou xy</source>
        <translation>start switched on in mode MODE: ch, dual, alt, add or xy</translation>
    </message>
    <message>
        <source>grava a janela principal em FICHEIRO (PNG) após um segundo e termina</source>
        <translation>save the main window to FILE (PNG) after one second and exit</translation>
    </message>
    <message>
        <source>verifica a instalação e termina (estado 0: completa; 1: com falhas)</source>
        <translation>check the installation and exit (status 0: complete; 1: damaged)</translation>
    </message>
    <message>
        <source>o fósforo do ecrã guarda um rasto que se desvanece</source>
        <translation>the screen&apos;s phosphor keeps a fading trace</translation>
    </message>
    <message>
        <source>opção desconhecida: %1</source>
        <translation>unknown option: %1</translation>
    </message>
    <message>
        <source>a opção %1 não leva valor</source>
        <translation>option %1 takes no value</translation>
    </message>
    <message>
        <source>a opção %1 precisa de um valor</source>
        <translation>option %1 needs a value</translation>
    </message>
    <message>
        <source>argumento inesperado: %1</source>
        <translation>unexpected argument: %1</translation>
    </message>
    <message>
        <source>a opção --lang aceita pt ou en, não %1</source>
        <translation>option --lang accepts pt or en, not %1</translation>
    </message>
    <message>
        <source>Utilização: vantrel [opções] [FICHEIRO.vantrel]
Simulador didático de um osciloscópio analógico de dois canais com dois geradores de funções.

Opções:
</source>
        <translation>Usage: vantrel [options] [FILE.vantrel]
Teaching simulator of a two-channel analog oscilloscope with two function generators.

Options:
</translation>
    </message>
    <message>
        <source>
Sem ecrã (sem DISPLAY nem WAYLAND_DISPLAY), --check-install e --screenshot trabalham
sem janela visível.
</source>
        <translation>
Without a screen (no DISPLAY nor WAYLAND_DISPLAY), --check-install and --screenshot work
without a visible window.
</translation>
    </message>
    <message>
        <source>vantrel: %s
Use «vantrel --help» para ver as opções.
</source>
        <translation>vantrel: %s
Use &quot;vantrel --help&quot; to see the options.
</translation>
    </message>
    <message>
        <source>Idioma / Language</source>
        <translation>Idioma / Language</translation>
    </message>
    <message>
        <source>O programa falará inglês a partir do próximo arranque.
The program will speak English from its next start.</source>
        <translation>The program will speak English from its next start.
O programa falará inglês a partir do próximo arranque.</translation>
    </message>
    <message>
        <source>O programa falará português a partir do próximo arranque.
The program will speak Portuguese from its next start.</source>
        <translation>The program will speak Portuguese from its next start.
O programa falará português a partir do próximo arranque.</translation>
    </message>
    <message>
        <source>  Reiniciar o osciloscópio com os valores iniciais?  </source>
        <translation>  Reset the oscilloscope to its start-up values?  </translation>
    </message>
    <message>
        <source>  Reiniciar o gerador 1 com os valores iniciais?  </source>
        <translation>  Reset generator 1 to its start-up values?  </translation>
    </message>
    <message>
        <source>  Reiniciar o gerador 2 com os valores iniciais?  </source>
        <translation>  Reset generator 2 to its start-up values?  </translation>
    </message>
    <message>
        <source>  Reiniciar o osciloscópio e os dois geradores com os valores iniciais?  </source>
        <translation>  Reset the oscilloscope and both generators to their start-up values?  </translation>
    </message>
    <message>
        <source>Abrir configuração</source>
        <translation>Open set-up</translation>
    </message>
    <message>
        <source>Guardar configuração</source>
        <translation>Save set-up</translation>
    </message>
    <message>
        <source>A configuração «</source>
        <translation>The set-up &quot;</translation>
    </message>
    <message>
        <source>» tem alterações que não foram guardadas.
</source>
        <translation>&quot; has changes that were not saved.
</translation>
    </message>
    <message>
        <source>Abrir outra sem as guardar?</source>
        <translation>Open another without saving them?</translation>
    </message>
    <message>
        <source>Não foi possível abrir «</source>
        <translation>Could not open &quot;</translation>
    </message>
    <message>
        <source>»: o ficheiro não existe ou não pode ser lido.</source>
        <translation>&quot;: the file does not exist or cannot be read.</translation>
    </message>
    <message>
        <source>Não foi possível escrever «</source>
        <translation>Could not write &quot;</translation>
    </message>
    <message>
        <source>».
Verifique a pasta e as permissões e tente de novo.</source>
        <translation>&quot;.
Check the folder and the permissions and try again.</translation>
    </message>
    <message>
        <source>Sair sem as guardar?</source>
        <translation>Quit without saving them?</translation>
    </message>
    <message>
        <source>  Tem a certeza que pretende sair?  </source>
        <translation>  Are you sure you want to quit?  </translation>
    </message>
    <message>
        <source>O caminho escolhido é demasiado longo.
Escolha um ficheiro num caminho mais curto.</source>
        <translation>The chosen path is too long.
Choose a file on a shorter path.</translation>
    </message>
    <message>
        <source>Divisor de tensão</source>
        <translation>Voltage divider</translation>
    </message>
    <message>
        <source>Duas resistências em série: a saída é a entrada vezes R2 / (R1 + R2).</source>
        <translation>Two resistors in series: the output is the input times R2 / (R1 + R2).</translation>
    </message>
    <message>
        <source>Saída</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>RC passa-baixo</source>
        <translation>RC low-pass</translation>
    </message>
    <message>
        <source>Saída aos terminais de C; com onda quadrada e RC muito maior que o período é um integrador.</source>
        <translation>Output across C; with a square wave and RC much longer than the period it is an integrator.</translation>
    </message>
    <message>
        <source>RC passa-alto</source>
        <translation>RC high-pass</translation>
    </message>
    <message>
        <source>Saída aos terminais de R; com onda quadrada e RC muito menor que o período é um diferenciador.</source>
        <translation>Output across R; with a square wave and RC much shorter than the period it is a differentiator.</translation>
    </message>
    <message>
        <source>RLC série</source>
        <translation>Series RLC</translation>
    </message>
    <message>
        <source>R, L e C em série: na ressonância, 1/(2π√(LC)), VR é máxima e igual à entrada.</source>
        <translation>R, L and C in series: at resonance, 1/(2π√(LC)), VR is largest and equal to the input.</translation>
    </message>
    <message>
        <source>Retificador de meia onda</source>
        <translation>Half-wave rectifier</translation>
    </message>
    <message>
        <source>Um díodo de silício alimenta a carga RL; o condensador C, se presente, alisa a saída.</source>
        <translation>A silicon diode feeds the load RL; the capacitor C, when present, smooths the output.</translation>
    </message>
    <message>
        <source>Retificador em ponte</source>
        <translation>Bridge rectifier</translation>
    </message>
    <message>
        <source>Quatro díodos de silício em ponte alimentam a carga RL (saída flutuante); o condensador C, se presente, alisa a saída.</source>
        <translation>Four silicon diodes in a bridge feed the load RL (floating output); the capacitor C, when present, smooths the output.</translation>
    </message>
    <message>
        <source>Limitador a díodos</source>
        <translation>Diode limiter</translation>
    </message>
    <message>
        <source>Dois díodos de silício em antiparalelo limitam a saída a cerca de ±0,7 V.</source>
        <translation>Two silicon diodes in antiparallel limit the output to about ±0.7 V.</translation>
    </message>
    <message>
        <source>Regulador Zener</source>
        <translation>Zener regulator</translation>
    </message>
    <message>
        <source>O díodo Zener limita a saída a Vz nas alternâncias positivas e a cerca de -0,7 V nas negativas.</source>
        <translation>The Zener diode limits the output to Vz on positive half-cycles and to about -0.7 V on negative ones.</translation>
    </message>
    <message>
        <source>Com </source>
        <translation>With </translation>
    </message>
    <message>
        <source>Não convergiu: o cálculo do circuito não estabilizou com estes valores. Os pontos da placa mostram uma linha a 0 V.</source>
        <translation>Did not converge: the circuit calculation did not settle with these values. The board&apos;s points show a line at 0 V.</translation>
    </message>
    <message>
        <source>falta o valor</source>
        <translation>the value is missing</translation>
    </message>
    <message>
        <source>o valor não pode ser negativo</source>
        <translation>the value cannot be negative</translation>
    </message>
    <message>
        <source>o valor não pode ser zero</source>
        <translation>the value cannot be zero</translation>
    </message>
    <message>
        <source>o mínimo é </source>
        <translation>the minimum is </translation>
    </message>
    <message>
        <source>o máximo é </source>
        <translation>the maximum is </translation>
    </message>
    <message>
        <source>&quot; não é um valor (por exemplo 1,5k, 4k7, 100n, 22u)</source>
        <translation>&quot; is not a value (for example 1.5k, 4k7, 100n, 22u)</translation>
    </message>
    <message>
        <source>. Mantém-se </source>
        <translation>. It keeps </translation>
    </message>
    <message>
        <source>A janela da placa não pôde ser carregada (ficheiro &quot;placa.uir&quot; em falta ou danificado).
O canal mede a placa com as definições actuais.</source>
        <translation>The board window could not be loaded (file &quot;placa.uir&quot; missing or damaged).
The channel measures the board with its current settings.</translation>
    </message>
    <message>
        <source>Placa de circuitos – CH I</source>
        <translation>Circuit board – CH I</translation>
    </message>
    <message>
        <source>Placa de circuitos – CH II</source>
        <translation>Circuit board – CH II</translation>
    </message>
    <message>
        <source>Ponto medido pelo CH II:</source>
        <translation>Point measured by CH II:</translation>
    </message>
    <message>
        <source>já está no máximo, </source>
        <translation>is already at its maximum, </translation>
    </message>
    <message>
        <source>já está no mínimo, </source>
        <translation>is already at its minimum, </translation>
    </message>
    <message>
        <source>ligado</source>
        <translation>on</translation>
    </message>
    <message>
        <source>desligado</source>
        <translation>off</translation>
    </message>
    <message>
        <source> (calibrado)</source>
        <translation> (calibrated)</translation>
    </message>
    <message>
        <source> (não calibrado)</source>
        <translation> (not calibrated)</translation>
    </message>
    <message>
        <source>Entrada CH </source>
        <translation>Input CH </translation>
    </message>
    <message>
        <source>AC (sem componente contínua)</source>
        <translation>AC (without the DC component)</translation>
    </message>
    <message>
        <source>DC (sinal completo)</source>
        <translation>DC (whole signal)</translation>
    </message>
    <message>
        <source>HF (passa-alto, 1,5 kHz)</source>
        <translation>HF (high-pass, 1.5 kHz)</translation>
    </message>
    <message>
        <source>LF (passa-baixo, 1,5 kHz)</source>
        <translation>LF (low-pass, 1.5 kHz)</translation>
    </message>
    <message>
        <source>~ (rede de 50 Hz)</source>
        <translation>~ (50 Hz mains)</translation>
    </message>
    <message>
        <source>TRIG. (acoplamento do disparo): </source>
        <translation>TRIG. (trigger coupling): </translation>
    </message>
    <message>
        <source>HOLD OFF: %.1f varrimentos</source>
        <translation>HOLD OFF: %.1f sweeps</translation>
    </message>
    <message>
        <source>HOLD OFF: mínimo</source>
        <translation>HOLD OFF: minimum</translation>
    </message>
    <message>
        <source> (sem efeito: não há sinal de vídeo composto para separar)</source>
        <translation> (no effect: there is no composite video signal to separate)</translation>
    </message>
    <message>
        <source>; tomadas TEST: clique para escolher o componente</source>
        <translation>; TEST sockets: click to choose the component</translation>
    </message>
    <message>
        <source>SLOPE: - (descendente)</source>
        <translation>SLOPE: - (falling)</translation>
    </message>
    <message>
        <source>SLOPE: + (ascendente)</source>
        <translation>SLOPE: + (rising)</translation>
    </message>
    <message>
        <source>CALIBRATOR: 0.2 V e 2 V, 1 kHz</source>
        <translation>CALIBRATOR: 0.2 V and 2 V, 1 kHz</translation>
    </message>
    <message>
        <source>, DUAL alternado</source>
        <translation>, DUAL alternate</translation>
    </message>
    <message>
        <source> Use um valor de </source>
        <translation> Use a value from </translation>
    </message>
    <message>
        <source> a </source>
        <translation> to </translation>
    </message>
    <message>
        <source> (ex.: 4,7k  100n  2,2u). Nada foi alterado.</source>
        <translation> (e.g. 4.7k  100n  2.2u). Nothing was changed.</translation>
    </message>
    <message>
        <source>falta o valor.</source>
        <translation>the value is missing.</translation>
    </message>
    <message>
        <source>valor fora dos limites.</source>
        <translation>value out of range.</translation>
    </message>
    <message>
        <source>não é um valor válido.</source>
        <translation>not a valid value.</translation>
    </message>
    <message>
        <source>Componente desconhecido: nada foi alterado.</source>
        <translation>Unknown component: nothing was changed.</translation>
    </message>
    <message>
        <source>Fonte de disparo desconhecida: nada foi alterado.</source>
        <translation>Unknown trigger source: nothing was changed.</translation>
    </message>
    <message>
        <source>Sim</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Não</source>
        <translation>No</translation>
    </message>
    <message>
        <source>FUNCTION: impulso, ciclo %.0f %%</source>
        <translation>FUNCTION: pulse, duty cycle %.0f %%</translation>
    </message>
    <message>
        <source>FUNCTION: rampa, subida %.0f %%</source>
        <translation>FUNCTION: ramp, rise %.0f %%</translation>
    </message>
    <message>
        <source>FUNCTION: quadrada</source>
        <translation>FUNCTION: square</translation>
    </message>
    <message>
        <source>FUNCTION: triangular</source>
        <translation>FUNCTION: triangle</translation>
    </message>
    <message>
        <source>FUNCTION: sinusoidal</source>
        <translation>FUNCTION: sine</translation>
    </message>
    <message>
        <source>RAMP/PULSE: subida da rampa %.0f %%, ciclo do impulso %.0f %%</source>
        <translation>RAMP/PULSE: ramp rise %.0f %%, pulse duty cycle %.0f %%</translation>
    </message>
    <message>
        <source>SYNC: quadrada TTL 0/5 V do gerador %d; entrada &quot;Sync do gerador %d&quot; do CH %s</source>
        <translation>SYNC: 0/5 V TTL square of generator %d; input &quot;Generator %d sync&quot; of CH %s</translation>
    </message>
    <message>
        <source>VCF: o varrimento de frequência não é simulado</source>
        <translation>VCF: the frequency sweep is not simulated</translation>
    </message>
    <message>
        <source>POWER: ligado</source>
        <translation>POWER: on</translation>
    </message>
    <message>
        <source>POWER: desligado</source>
        <translation>POWER: off</translation>
    </message>
    <message>
        <source>O painel do gerador não pôde ser carregado (ficheiro &quot;gerador.uir&quot; em falta ou danificado).
O gerador continua a funcionar com as definições actuais.</source>
        <translation>The generator panel could not be loaded (file &quot;gerador.uir&quot; missing or damaged).
The generator keeps working with its current settings.</translation>
    </message>
    <message>
        <source>__Acoplar</source>
        <translation>__Dock</translation>
    </message>
    <message>
        <source>Recusada: a frequência deve estar entre 0,01 Hz e 2 MHz.</source>
        <translation>Refused: the frequency must be between 0.01 Hz and 2 MHz.</translation>
    </message>
    <message>
        <source>Recusada: escreva um número, por exemplo 150, 2k ou 2,5 kHz.</source>
        <translation>Refused: type a number, for example 150, 2k or 2.5 kHz.</translation>
    </message>
    <message>
        <source>Arredondada ao passo do regulador de frequência: %g Hz.</source>
        <translation>Rounded to the frequency dial&apos;s step: %g Hz.</translation>
    </message>
    <message>
        <source>Guardar ecrã</source>
        <translation>Save screen</translation>
    </message>
    <message>
        <source>Não foi possível escrever o ficheiro escolhido.
Verifique a pasta e as permissões e tente de novo.</source>
        <translation>Could not write the chosen file.
Check the folder and the permissions and try again.</translation>
    </message>
    <message>
        <source>!!! Carregamento cancelado.
</source>
        <translation>!!! Loading cancelled.
</translation>
    </message>
    <message>
        <source>!!! Ligação Desligada!!!
</source>
        <translation>!!! Link Disconnected!!!
</translation>
    </message>
    <message>
        <source>!!! Célula </source>
        <translation>!!! Cell </translation>
    </message>
    <message>
        <source> não lida: </source>
        <translation> not read: </translation>
    </message>
    <message>
        <source> não contém um número: &quot;</source>
        <translation> does not hold a number: &quot;</translation>
    </message>
    <message>
        <source> não contém um número inteiro entre 1 e </source>
        <translation> does not hold a whole number between 1 and </translation>
    </message>
    <message>
        <source>... Caminho com mais de 149 caracteres: os caminhos não foram memorizados.
</source>
        <translation>... Path longer than 149 characters: the paths were not remembered.
</translation>
    </message>
    <message>
        <source>... Não foi possível guardar os caminhos em &quot;</source>
        <translation>... Could not save the paths in &quot;</translation>
    </message>
    <message>
        <source>
!!! Ligação cancelada.
</source>
        <translation>
!!! Link cancelled.
</translation>
    </message>
    <message>
        <source>
!!! O programa &quot;</source>
        <translation>
!!! The program &quot;</translation>
    </message>
    <message>
        <source>&quot; terminou sem aceitar a ligação.
</source>
        <translation>&quot; ended without accepting the link.
</translation>
    </message>
    <message>
        <source>
!!! O Excel não respondeu em 30 s; verifique os caminhos.
</source>
        <translation>
!!! Excel did not answer within 30 s; check the paths.
</translation>
    </message>
    <message>
        <source>!!! A ligação ao Work Sheet falhou.
</source>
        <translation>!!! The link to the Work Sheet failed.
</translation>
    </message>
    <message>
        <source>... Ligação ao Worksheet com sucesso.
</source>
        <translation>... Linked to the Worksheet.
</translation>
    </message>
    <message>
        <source>O número de pontos calculados no ficheiro indicado
não corresponde com os necessários.

Pontos necessários: %d.

Confirmar quando corrigido...</source>
        <translation>The number of points calculated in the given file
does not match the number needed.

Points needed: %d.

Confirm when corrected...</translation>
    </message>
    <message>
        <source>Numero de pontos!</source>
        <translation>Number of points!</translation>
    </message>
    <message>
        <source>!!! Número de pontos diferente de 600: carregamento abandonado.
</source>
        <translation>!!! Number of points other than 600: loading abandoned.
</translation>
    </message>
    <message>
        <source>??? A tentar ligar ao Excel...
    AGUARDE.
</source>
        <translation>??? Trying to link to Excel...
    PLEASE WAIT.
</translation>
    </message>
    <message>
        <source>
... Ligação ao Excel com sucesso.
</source>
        <translation>
... Linked to Excel.
</translation>
    </message>
    <message>
        <source>!!! Caminho com mais de 259 caracteres: use um caminho mais curto.
</source>
        <translation>!!! Path longer than 259 characters: use a shorter path.
</translation>
    </message>
    <message>
        <source>!!! Indique o programa e o ficheiro.
</source>
        <translation>!!! Give the program and the file.
</translation>
    </message>
    <message>
        <source>!!! Não foi possível iniciar o programa &quot;</source>
        <translation>!!! Could not start the program &quot;</translation>
    </message>
    <message>
        <source>... Dados Carregados com Sucesso.
</source>
        <translation>... Data Loaded.
</translation>
    </message>
    <message>
        <source>!!! Dados não carregados; o sinal do canal não foi alterado.
</source>
        <translation>!!! Data not loaded; the channel&apos;s signal was not changed.
</translation>
    </message>
    <message>
        <source>Closing Worksheet...
</source>
        <translation>Closing Worksheet...
</translation>
    </message>
    <message>
        <source>Quiting Excel...
</source>
        <translation>Quitting Excel...
</translation>
    </message>
    <message>
        <source>não é um número</source>
        <translation>is not a number</translation>
    </message>
    <message>
        <source>não é um número finito</source>
        <translation>is not a finite number</translation>
    </message>
    <message>
        <source>não é um número inteiro</source>
        <translation>is not a whole number</translation>
    </message>
    <message>
        <source>está fora do intervalo</source>
        <translation>is out of range</translation>
    </message>
    <message>
        <source>não tem um dos valores possíveis</source>
        <translation>does not have one of the possible values</translation>
    </message>
    <message>
        <source>falta</source>
        <translation>is missing</translation>
    </message>
    <message>
        <source>não é um objeto</source>
        <translation>is not an object</translation>
    </message>
    <message>
        <source>não é uma lista de 2 objetos</source>
        <translation>is not a list of 2 objects</translation>
    </message>
    <message>
        <source>não é conhecido</source>
        <translation>is not known</translation>
    </message>
    <message>
        <source>falta: não é um ficheiro de configuração do Vantrel</source>
        <translation>is missing: this is not a Vantrel set-up file</translation>
    </message>
    <message>
        <source>não é um número de formato</source>
        <translation>is not a format number</translation>
    </message>
    <message>
        <source>não é um ficheiro de configuração do Vantrel</source>
        <translation>this is not a Vantrel set-up file</translation>
    </message>
    <message>
        <source>não pode estar ligado ao mesmo tempo que «dual»</source>
        <translation>cannot be on at the same time as &quot;dual&quot;</translation>
    </message>
    <message>
        <source>é demasiado grande para um ficheiro de configuração</source>
        <translation>is too large for a set-up file</translation>
    </message>
    <message>
        <source>não é um ficheiro de configuração válido (o texto JSON está danificado)</source>
        <translation>is not a valid set-up file (its JSON text is damaged)</translation>
    </message>
    <message>
        <source>»: </source>
        <translation>&quot;: </translation>
    </message>
    <message>
        <source>o campo «</source>
        <translation>the field &quot;</translation>
    </message>
    <message>
        <source>Divisor</source>
        <translation>Divider</translation>
    </message>
    <message>
        <source>Passa-baixo</source>
        <translation>Low-pass</translation>
    </message>
    <message>
        <source>Passa-alto</source>
        <translation>High-pass</translation>
    </message>
    <message>
        <source>Meia onda</source>
        <translation>Half-wave</translation>
    </message>
    <message>
        <source>Ponte</source>
        <translation>Bridge</translation>
    </message>
    <message>
        <source>Limitador</source>
        <translation>Limiter</translation>
    </message>
    <message>
        <source>: não convergiu</source>
        <translation>: did not converge</translation>
    </message>
    <message>
        <source>Indutância (H)</source>
        <translation>Inductance (H)</translation>
    </message>
    <message>
        <source>Tensão de condução a 1 mA (V)</source>
        <translation>Forward voltage at 1 mA (V)</translation>
    </message>
    <message>
        <source>Tensão de Zener (V)</source>
        <translation>Zener voltage (V)</translation>
    </message>
    <message>
        <source>Tensão direta a 10 mA (V)</source>
        <translation>Forward voltage at 10 mA (V)</translation>
    </message>
    <message>
        <source>Português</source>
        <translation>Português</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>MODO</source>
        <translation>MODE</translation>
    </message>
    <message>
        <source>FICHEIRO</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>IDIOMA</source>
        <translation>LANGUAGE</translation>
    </message>
    <message>
        <source>fala IDIOMA nesta execução: pt ou en (não fica memorizado)</source>
        <translation>speak LANGUAGE in this run: pt or en (not remembered)</translation>
    </message>
    <message>
        <source>Conversa DDE inexistente.</source>
        <translation>No such DDE conversation.</translation>
    </message>
    <message>
        <source>O servidor terminou a conversa.</source>
        <translation>The server ended the conversation.</translation>
    </message>
    <message>
        <source>A conversa DDE foi terminada.</source>
        <translation>The DDE conversation was ended.</translation>
    </message>
    <message>
        <source>O servidor não respondeu a tempo.</source>
        <translation>The server did not answer in time.</translation>
    </message>
    <message>
        <source>O servidor recusou o pedido.</source>
        <translation>The server refused the request.</translation>
    </message>
    <message>
        <source>Pedido de ligação DDE inválido.</source>
        <translation>Invalid DDE connection request.</translation>
    </message>
    <message>
        <source>Nenhum servidor responde.</source>
        <translation>No server answers.</translation>
    </message>
    <message>
        <source>Pedido de leitura DDE inválido.</source>
        <translation>Invalid DDE read request.</translation>
    </message>
    <message>
        <source>: texto demasiado longo.</source>
        <translation>: text too long.</translation>
    </message>
    <message>
        <source>Caminho demasiado longo</source>
        <translation>Path too long</translation>
    </message>
    <message>
        <source>O caminho escolhido tem mais de 259 caracteres e não pode ser usado.
Escolha um ficheiro num caminho mais curto.</source>
        <translation>The chosen path is longer than 259 characters and cannot be used.
Choose a file on a shorter path.</translation>
    </message>
    <message>
        <source>Não foi possível guardar a escolha do idioma: verifique as permissões da pasta de configuração (~/.config/vantrel).
The language choice could not be saved: check the permissions of the configuration folder (~/.config/vantrel).</source>
        <translation>The language choice could not be saved: check the permissions of the configuration folder (~/.config/vantrel).
Não foi possível guardar a escolha do idioma: verifique as permissões da pasta de configuração (~/.config/vantrel).</translation>
    </message>
    <message>
        <source>Abrir exercício</source>
        <translation>Open exercise</translation>
    </message>
    <message>
        <source>Respostas do exercício</source>
        <translation>Exercise answers</translation>
    </message>
    <message>
        <source>Não foi possível escrever as respostas em </source>
        <translation>Could not write the answers to </translation>
    </message>
    <message>
        <source>Nenhuma resposta se perdeu: escolha outro ficheiro com «Guardar respostas em…».</source>
        <translation>No answer was lost: choose another file with &quot;Save answers to…&quot;.</translation>
    </message>
    <message>
        <source>Respostas guardadas em: </source>
        <translation>Answers saved to: </translation>
    </message>
    <message>
        <source>As leituras estão desligadas neste exercício.</source>
        <translation>The read-outs are switched off in this exercise.</translation>
    </message>
    <message>
        <source>a tarefa %d: </source>
        <translation>task %d: </translation>
    </message>
    <message>
        <source>O painel do exercício não pôde ser carregado (ficheiro &quot;exercicio_aluno.uir&quot; em falta ou danificado).</source>
        <translation>The exercise panel could not be loaded (file &quot;exercicio_aluno.uir&quot; missing or damaged).</translation>
    </message>
    <message>
        <source>Não foi possível abrir </source>
        <translation>Could not open </translation>
    </message>
    <message>
        <source>: o ficheiro não existe ou não pode ser lido.</source>
        <translation>: the file does not exist or cannot be read.</translation>
    </message>
    <message>
        <source>Exercício — </source>
        <translation>Exercise — </translation>
    </message>
    <message>
        <source>Aluno: </source>
        <translation>Student: </translation>
    </message>
    <message>
        <source>✔ Certo: a resposta está dentro da tolerância.</source>
        <translation>✔ Right: the answer is within the tolerance.</translation>
    </message>
    <message>
        <source>✘ Errado: a resposta está fora da tolerância. Veja as dicas e tente de novo.</source>
        <translation>✘ Wrong: the answer is outside the tolerance. See the hints and try again.</translation>
    </message>
    <message>
        <source>Esta tarefa não tem dicas.</source>
        <translation>This task has no hints.</translation>
    </message>
    <message>
        <source>Escreva o seu nome: não pode ficar vazio.</source>
        <translation>Type your name: it cannot be empty.</translation>
    </message>
    <message>
        <source>não é true nem false</source>
        <translation>is neither true nor false</translation>
    </message>
    <message>
        <source>não é um texto</source>
        <translation>is not a text</translation>
    </message>
    <message>
        <source>é demasiado longo</source>
        <translation>is too long</translation>
    </message>
    <message>
        <source>não é uma lista</source>
        <translation>is not a list</translation>
    </message>
    <message>
        <source>tem elementos a mais</source>
        <translation>has too many elements</translation>
    </message>
    <message>
        <source>não indica um exercício do Vantrel</source>
        <translation>does not name a Vantrel exercise</translation>
    </message>
    <message>
        <source>indica um formato mais recente do que o que este programa lê</source>
        <translation>names a format newer than this program reads</translation>
    </message>
    <message>
        <source>falta ou não é um objeto</source>
        <translation>is missing or is not an object</translation>
    </message>
    <message>
        <source>não é uma definição que possa ser sorteada</source>
        <translation>is not a setting that can be drawn</translation>
    </message>
    <message>
        <source>tem um intervalo impossível</source>
        <translation>has an impossible range</translation>
    </message>
    <message>
        <source>não tem limites inteiros</source>
        <translation>does not have whole-number limits</translation>
    </message>
    <message>
        <source>não pode vir com «channel»</source>
        <translation>cannot come with &quot;channel&quot;</translation>
    </message>
    <message>
        <source>não se aplica a esta grandeza</source>
        <translation>does not apply to this quantity</translation>
    </message>
    <message>
        <source>não é 0 nem 1</source>
        <translation>is neither 0 nor 1</translation>
    </message>
    <message>
        <source>não pode ser calculado numa resposta livre</source>
        <translation>cannot be computed for a free answer</translation>
    </message>
    <message>
        <source>é negativa</source>
        <translation>is negative</translation>
    </message>
    <message>
        <source>está vazio</source>
        <translation>is empty</translation>
    </message>
    <message>
        <source>não tem nenhuma tarefa</source>
        <translation>has no task</translation>
    </message>
    <message>
        <source>não é um ficheiro de exercício do Vantrel</source>
        <translation>is not a Vantrel exercise file</translation>
    </message>
    <message>
        <source>é demasiado grande para um ficheiro de exercício</source>
        <translation>is too large for an exercise file</translation>
    </message>
    <message>
        <source>não é um ficheiro de exercício válido (o texto JSON está danificado)</source>
        <translation>is not a valid exercise file (the JSON text is damaged)</translation>
    </message>
    <message>
        <source>os dois canais não têm sinais da mesma frequência</source>
        <translation>the two channels do not carry signals of the same frequency</translation>
    </message>
    <message>
        <source>um dos canais tem um sinal constante</source>
        <translation>one of the channels carries a constant signal</translation>
    </message>
    <message>
        <source>só se calcula com uma placa RC na bancada, ligada a um canal</source>
        <translation>can only be computed with an RC board on the bench, connected to a channel</translation>
    </message>
    <message>
        <source>não se calcula: o professor tem de o indicar</source>
        <translation>is not computed: the teacher must give it</translation>
    </message>
    <message>
        <source>o sinal é constante: não tem período</source>
        <translation>the signal is constant: it has no period</translation>
    </message>
    <message>
        <source>O painel do gerador está bloqueado neste exercício: meça o sinal no osciloscópio.</source>
        <translation>The generator panel is locked in this exercise: measure the signal on the oscilloscope.</translation>
    </message>
    <message>
        <source>Tarefas</source>
        <translation>Tasks</translation>
    </message>
    <message>
        <source>Pergunta</source>
        <translation>Question</translation>
    </message>
    <message>
        <source>Resposta:</source>
        <translation>Answer:</translation>
    </message>
    <message>
        <source>__Verificar</source>
        <translation>__Check</translation>
    </message>
    <message>
        <source>Dicas</source>
        <translation>Hints</translation>
    </message>
    <message>
        <source>__Guardar respostas em…</source>
        <translation>__Save answers to…</translation>
    </message>
    <message>
        <source>__Fechar exercício</source>
        <translation>Close e__xercise</translation>
    </message>
    <message>
        <source>Exercício</source>
        <translation>Exercise</translation>
    </message>
    <message>
        <source>Escreva o seu nome para começar o exercício:</source>
        <translation>Type your name to start the exercise:</translation>
    </message>
    <message>
        <source>__Começar</source>
        <translation>__Start</translation>
    </message>
    <message>
        <source>C__ancelar</source>
        <translation>C__ancel</translation>
    </message>
    <message>
        <source>Placa: </source>
        <translation>Board: </translation>
    </message>
    <message>
        <source>O ecrã não tem altura para o painel do gerador por baixo do osciloscópio: o painel fica numa janela própria.</source>
        <translation>The screen is not tall enough for the generator panel below the oscilloscope: the panel stays in a window of its own.</translation>
    </message>
    <message>
        <source>Sync G1</source>
        <translation>Sync G1</translation>
    </message>
    <message>
        <source>Sync G2</source>
        <translation>Sync G2</translation>
    </message>
    <message>
        <source>Abrir exercício…</source>
        <translation>Open exercise…</translation>
    </message>
    <message>
        <source>Resultados</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>«%s»: %s.</source>
        <translation>“%s”: %s.</translation>
    </message>
    <message>
        <source>«%s», linha %d: %s.</source>
        <translation>“%s”, line %d: %s.</translation>
    </message>
    <message>
        <source>«%s», linha %d, coluna «%s»: %s.</source>
        <translation>“%s”, line %d, column “%s”: %s.</translation>
    </message>
    <message>
        <source>%d ficheiro(s) recolhido(s), %d aluno(s).
</source>
        <translation>%d file(s) collected, %d student(s).
</translation>
    </message>
    <message>
        <source>%s: %d de %d certas
</source>
        <translation>%s: %d of %d right
</translation>
    </message>
    <message>
        <source>… e mais %d aluno(s) na tabela.
</source>
        <translation>… and %d more student(s) in the table.
</translation>
    </message>
    <message>
        <source>Criar exercício</source>
        <translation>Create exercise</translation>
    </message>
    <message>
        <source>Nada foi alterado.</source>
        <translation>Nothing was changed.</translation>
    </message>
    <message>
        <source>Período</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Pico a pico</source>
        <translation>Peak to peak</translation>
    </message>
    <message>
        <source>Diferença de fase</source>
        <translation>Phase difference</translation>
    </message>
    <message>
        <source>Constante de tempo</source>
        <translation>Time constant</translation>
    </message>
    <message>
        <source>Resposta livre</source>
        <translation>Free answer</translation>
    </message>
    <message>
        <source>o ficheiro não existe ou não pode ser lido</source>
        <translation>the file does not exist or cannot be read</translation>
    </message>
    <message>
        <source>Ficheiros ignorados:</source>
        <translation>Files skipped:</translation>
    </message>
    <message>
        <source>Nenhum ficheiro de resultados pôde ser usado; nada foi guardado.
</source>
        <translation>No results file could be used; nothing was saved.
</translation>
    </message>
    <message>
        <source>A tabela não foi guardada.
</source>
        <translation>The table was not saved.
</translation>
    </message>
    <message>
        <source>Tabela guardada em «%s».
</source>
        <translation>Table saved as “%s”.
</translation>
    </message>
    <message>
        <source>Não foi possível escrever «%s»: verifique a pasta e as permissões.
</source>
        <translation>Could not write “%s”: check the folder and the permissions.
</translation>
    </message>
    <message>
        <source>Resultados: ficheiros dos alunos</source>
        <translation>Results: the students&apos; files</translation>
    </message>
    <message>
        <source>Guardar a tabela dos resultados</source>
        <translation>Save the results table</translation>
    </message>
    <message>
        <source>A janela «Criar exercício» não pôde ser carregada (ficheiro «exercicio.uir» em falta ou danificado).</source>
        <translation>The “Create exercise” window could not be loaded (file “exercicio.uir” missing or damaged).</translation>
    </message>
    <message>
        <source>Tarefas: já são 50. Nada foi alterado.</source>
        <translation>Tasks: there are 50 already. Nothing was changed.</translation>
    </message>
    <message>
        <source>Tarefa junta, mas com o instrumento como está o valor não se calcula: %s.</source>
        <translation>Task added, but with the instrument as it is the value cannot be computed: %s.</translation>
    </message>
    <message>
        <source>Escolha na lista a tarefa a retirar.</source>
        <translation>Choose the task to remove in the list.</translation>
    </message>
    <message>
        <source>Escolha na lista a regulação a deixar de sortear.</source>
        <translation>Choose the setting to stop drawing in the list.</translation>
    </message>
    <message>
        <source>Guardar exercício</source>
        <translation>Save exercise</translation>
    </message>
    <message>
        <source>Não foi possível escrever «%s»: verifique a pasta, as permissões e o comprimento do caminho.</source>
        <translation>Could not write “%s”: check the folder, the permissions and the length of the path.</translation>
    </message>
    <message>
        <source>Exercício guardado em «%s».</source>
        <translation>Exercise saved as “%s”.</translation>
    </message>
    <message>
        <source>O caminho «%1…» tem mais de 259 caracteres e não pode ser usado.</source>
        <translation>The path “%1…” has more than 259 characters and cannot be used.</translation>
    </message>
    <message>
        <source>Gerador 1: frequência (botão, 0 a 2)</source>
        <translation>Generator 1: frequency (knob, 0 to 2)</translation>
    </message>
    <message>
        <source>Gerador 1: amplitude (V)</source>
        <translation>Generator 1: amplitude (V)</translation>
    </message>
    <message>
        <source>Gerador 1: offset (V)</source>
        <translation>Generator 1: offset (V)</translation>
    </message>
    <message>
        <source>Gerador 1: fase (°)</source>
        <translation>Generator 1: phase (°)</translation>
    </message>
    <message>
        <source>Gerador 2: frequência (botão, 0 a 2)</source>
        <translation>Generator 2: frequency (knob, 0 to 2)</translation>
    </message>
    <message>
        <source>Gerador 2: amplitude (V)</source>
        <translation>Generator 2: amplitude (V)</translation>
    </message>
    <message>
        <source>Gerador 2: offset (V)</source>
        <translation>Generator 2: offset (V)</translation>
    </message>
    <message>
        <source>Gerador 2: fase (°)</source>
        <translation>Generator 2: phase (°)</translation>
    </message>
    <message>
        <source>CH I: Y-POS (divisões)</source>
        <translation>CH I: Y-POS (divisions)</translation>
    </message>
    <message>
        <source>CH II: Y-POS (divisões)</source>
        <translation>CH II: Y-POS (divisions)</translation>
    </message>
    <message>
        <source>LEVEL do disparo</source>
        <translation>Trigger LEVEL</translation>
    </message>
    <message>
        <source>falta o texto da pergunta</source>
        <translation>the question&apos;s text is missing</translation>
    </message>
    <message>
        <source>é demasiado longa</source>
        <translation>is too long</translation>
    </message>
    <message>
        <source>Medida em</source>
        <translation>Measured on</translation>
    </message>
    <message>
        <source>esta grandeza mede-se num canal ou num gerador: escolha um</source>
        <translation>this quantity is measured on a channel or a generator: choose one</translation>
    </message>
    <message>
        <source>a fase (entre CH I e CH II) e a constante de tempo (da placa RC) não se medem num só canal ou gerador: escolha «—»</source>
        <translation>the phase (between CH I and CH II) and the time constant (of the RC board) are not measured on one channel or generator: choose “—”</translation>
    </message>
    <message>
        <source>Unidade</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>Valor verdadeiro</source>
        <translation>True value</translation>
    </message>
    <message>
        <source>não é um número na unidade da grandeza (por exemplo 2,5 kHz), nem vazio para «calculado»</source>
        <translation>is not a number in the quantity&apos;s unit (for example 2.5 kHz), nor empty for “computed”</translation>
    </message>
    <message>
        <source>uma resposta livre não se calcula: escreva o valor verdadeiro</source>
        <translation>a free answer is not computed: type the true value</translation>
    </message>
    <message>
        <source>Tolerância</source>
        <translation>Tolerance</translation>
    </message>
    <message>
        <source>não é um número (por exemplo 5 ou 0,2)</source>
        <translation>is not a number (for example 5 or 0.2)</translation>
    </message>
    <message>
        <source>não pode ser negativa</source>
        <translation>cannot be negative</translation>
    </message>
    <message>
        <source>passa de 100 %</source>
        <translation>exceeds 100 %</translation>
    </message>
    <message>
        <source>são mais de 10</source>
        <translation>are more than 10</translation>
    </message>
    <message>
        <source>uma delas é demasiado longa</source>
        <translation>one of them is too long</translation>
    </message>
    <message>
        <source>Regulação sorteada</source>
        <translation>Drawn setting</translation>
    </message>
    <message>
        <source>não é uma das que se sorteiam</source>
        <translation>is not one of those that can be drawn</translation>
    </message>
    <message>
        <source>já é sorteada</source>
        <translation>is drawn already</translation>
    </message>
    <message>
        <source>já há 20 regulações sorteadas</source>
        <translation>there are 20 drawn settings already</translation>
    </message>
    <message>
        <source>Mínimo</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Máximo</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>está fora do alcance dessa regulação</source>
        <translation>is outside that setting&apos;s range</translation>
    </message>
    <message>
        <source>tem de ser maior do que o mínimo</source>
        <translation>must be greater than the minimum</translation>
    </message>
    <message>
        <source>o exercício não tem nenhuma tarefa: junte pelo menos uma</source>
        <translation>the exercise has no task: add at least one</translation>
    </message>
    <message>
        <source>são mais de 50</source>
        <translation>are more than 50</translation>
    </message>
    <message>
        <source>é demasiado grande para um ficheiro de resultados</source>
        <translation>is too large for a results file</translation>
    </message>
    <message>
        <source>tem aspas por fechar ou texto depois de umas aspas</source>
        <translation>has a quote left open or text after a closing quote</translation>
    </message>
    <message>
        <source>não começa pelo cabeçalho dos resultados do Vantrel</source>
        <translation>does not start with the header of Vantrel results</translation>
    </message>
    <message>
        <source>não tem seis colunas</source>
        <translation>does not have six columns</translation>
    </message>
    <message>
        <source>tem um valor inválido</source>
        <translation>has an invalid value</translation>
    </message>
    <message>
        <source>Pergunta:</source>
        <translation>Question:</translation>
    </message>
    <message>
        <source>Grandeza:</source>
        <translation>Quantity:</translation>
    </message>
    <message>
        <source>Medida em:</source>
        <translation>Measured on:</translation>
    </message>
    <message>
        <source>—</source>
        <translation>—</translation>
    </message>
    <message>
        <source>Unidade (resposta livre):</source>
        <translation>Unit (free answer):</translation>
    </message>
    <message>
        <source>Valor verdadeiro (vazio: calculado):</source>
        <translation>True value (empty: computed):</translation>
    </message>
    <message>
        <source>Tolerância:</source>
        <translation>Tolerance:</translation>
    </message>
    <message>
        <source>absoluta</source>
        <translation>absolute</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
    </message>
    <message>
        <source>Dicas (separadas por |):</source>
        <translation>Hints (separated by |):</translation>
    </message>
    <message>
        <source>__Juntar tarefa</source>
        <translation>__Add task</translation>
    </message>
    <message>
        <source>__Retirar tarefa</source>
        <translation>__Remove task</translation>
    </message>
    <message>
        <source>Tarefas do exercício:</source>
        <translation>Tasks of the exercise:</translation>
    </message>
    <message>
        <source>Esconder do aluno:</source>
        <translation>Hide from the student:</translation>
    </message>
    <message>
        <source>Leituras desligadas</source>
        <translation>Read-outs off</translation>
    </message>
    <message>
        <source>Gerador bloqueado</source>
        <translation>Generator locked</translation>
    </message>
    <message>
        <source>Nomes das fontes</source>
        <translation>Source names</translation>
    </message>
    <message>
        <source>Sortear por aluno:</source>
        <translation>Draw per student:</translation>
    </message>
    <message>
        <source>mínimo:</source>
        <translation>minimum:</translation>
    </message>
    <message>
        <source>máximo:</source>
        <translation>maximum:</translation>
    </message>
    <message>
        <source>Juntar</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Retirar</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>__Guardar exercício…</source>
        <translation>__Save exercise…</translation>
    </message>
    <message>
        <source>Criar exercício…</source>
        <translation>Create exercise…</translation>
    </message>
    <message>
        <source>Resultados…</source>
        <translation>Results…</translation>
    </message>
    <message>
        <source>%1 não é um número</source>
        <translation>%1 is not a number</translation>
    </message>
    <message>
        <source>%1 deve ser só um número, com ou sem prefixo (k, m, µ…)</source>
        <translation>%1 must be a number only, with or without a prefix (k, m, µ…)</translation>
    </message>
    <message>
        <source>%1 não está em %2</source>
        <translation>%1 is not in %2</translation>
    </message>
    <message>
        <source>não é uma lista de %1 números</source>
        <translation>is not a list of %1 numbers</translation>
    </message>
    <message>
        <source>indica o formato %1, mais recente do que o que este programa lê (%2)</source>
        <translation>gives format %1, newer than this program reads (%2)</translation>
    </message>
    <message>
        <source>ficheiro não encontrado</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>texto da célula demasiado longo</source>
        <translation>cell text too long</translation>
    </message>
    <message>
        <source>célula com fórmula sem valor guardado; abra o ficheiro num editor de folhas de cálculo e guarde-o</source>
        <translation>cell with a formula but no stored value; open the file in a spreadsheet editor and save it</translation>
    </message>
    <message>
        <source>célula vazia ou com fórmula sem valor guardado num .xls; guarde o ficheiro como .xlsx ou .ods</source>
        <translation>empty cell, or a formula without a stored value in an .xls; save the file as .xlsx or .ods</translation>
    </message>
    <message>
        <source>não foi possível ler o ficheiro</source>
        <translation>the file could not be read</translation>
    </message>
    <message>
        <source>formato não reconhecido; use .xls, .xlsx, .ods ou .csv</source>
        <translation>format not recognised; use .xls, .xlsx, .ods or .csv</translation>
    </message>
    <message>
        <source>ficheiro danificado ou incompleto</source>
        <translation>file damaged or incomplete</translation>
    </message>
    <message>
        <source>ficheiro protegido por palavra-passe; guarde-o sem palavra-passe</source>
        <translation>file protected by a password; save it without a password</translation>
    </message>
    <message>
        <source>o conteúdo comprimido excede 256 MiB depois de descomprimido</source>
        <translation>the compressed content exceeds 256 MiB once decompressed</translation>
    </message>
    <message>
        <source>a primeira folha tem demasiadas células</source>
        <translation>the first sheet has too many cells</translation>
    </message>
    <message>
        <source>o livro não tem nenhuma folha</source>
        <translation>the workbook has no sheet</translation>
    </message>
    <message>
        <source>GER.</source>
        <translation>GEN.</translation>
    </message>
    <message>
        <source>módulo de comunicação em falta; reinstale o programa.</source>
        <translation>communication module missing; reinstall the program.</translation>
    </message>
    <message>
        <source>módulo de comunicação inválido; reinstale o programa.</source>
        <translation>communication module invalid; reinstall the program.</translation>
    </message>
</context>
</TS>
