#pragma once

// Who reads a text: the log keeps English, the player reads it in their language.
enum class Wording { Log, Player };
