#pragma once

#include <QIcon>

// The images of the main window: the four view icons of the navigation bar and title band
// (1 settings, 2 articles, 3 people, 4 management) and the toolbar's command icons.
QIcon ImmagineVista(int indice);
constexpr int kNumImmaginiVista = 4;

enum class Comando { Nuovo, Apri, Elimina, Stampa };
QIcon ImmagineComando(Comando comando);
