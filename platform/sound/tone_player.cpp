// Placeholder: filled in with the tone player.
