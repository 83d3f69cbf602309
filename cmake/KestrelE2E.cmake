# e2e registration: filled in below
