#pragma once
/// What the front panel shows of the instrument state: the pointer of every knob picture, the
/// pressed keys of every push-button picture and the tooltip that names each control with its
/// setting. Everything is drawn from the globals, so a picture can never disagree with them.

/// Range and step of the knob of a setting dialog that is loaded per opening (the knob does
/// not exist while its dialog is closed, so the front panel keeps its range here).
struct AlcanceBotao {
    double minimo;
    double maximo;
    double passo;
};
inline constexpr AlcanceBotao kAlcanceYpos{-10.0, 10.0, 1.0};
inline constexpr AlcanceBotao kAlcanceLevel{-10.0, 10.0, 0.5};
inline constexpr AlcanceBotao kAlcanceIntens{0.0, 10.0, 1.0};
inline constexpr AlcanceBotao kAlcanceFocus{-10.0, 10.0, 2.0};
inline constexpr AlcanceBotao kAlcanceHoldoff{0.0, 10.0, 0.5};

/// Places a setting dialog beside the main-panel picture `botao` that opens it, clear of the
/// picture and of the screen `MOSTRAR` wherever the panel leaves room.
void coloca_junto(int dialogo, int botao);

/// Name that the main panel shows for the source `fonte` (a `ChIN` value) of channel `canal`
/// (0 CH I, 1 CH II), or nullptr for a value that is no source.
const char *nome_fonte(int fonte, int canal);

/// Sets every knob pointer, pressed key and tooltip of the main panel from the state. Cheap
/// when nothing changed: the engine skips writes that leave a control as it was.
void mostra_frontal();

/// Degrees clockwise from 12 o'clock from the centre of the main-panel picture `botao` to the
/// centre of the main-panel control `marca`: where a stepped knob points to light that mark.
double angulo_para_marca(int botao, int marca);

/// The notches of a wheel event over a front-panel picture that acts only while the instrument
/// is on: the notch count (positive clockwise) for EVENT_MOUSE_WHEEL with `Ligado` 1, else 0.
int roda_frontal(int event, int notches);
/// The same turn in tenths of a step, for a knob that turns continuously (Ctrl turns it by
/// tenths): WheelTenths of the event's data while the instrument is on, else 0.
int roda_fina(int event, int eventData1, int eventData2);
